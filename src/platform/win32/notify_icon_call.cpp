#include "platform/win32/notify_icon_call.hpp"

#include <cstring>

#include "common/little_endian.hpp"
#include "platform/win32/system_handles.hpp"
#include "tray/notify_icon_record.hpp"

#include <shellapi.h>

namespace nocturo::win32 {

#if defined(_WIN64)

// The 64-bit test build: the shell expects the native layout, so the 32-bit
// record's fields are widened into one, handles sign-extended, with the size
// of the same first version of the record.
std::int32_t CallShellNotifyIcon(std::uint32_t message, NotifyIconBytes record) {
  namespace off = notify_icon_offset;
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = FromHandle32<HWND>(GetU32(record, off::kWindow));
  data.uID = GetU32(record, off::kId);
  data.uFlags = GetU32(record, off::kFlags);
  data.uCallbackMessage = GetU32(record, off::kCallbackMessage);
  data.hIcon = FromHandle32<HICON>(GetU32(record, off::kIcon));
  static_assert(sizeof data.szTip >= kTooltipField);
  std::memcpy(data.szTip, record.data() + off::kTip, kTooltipField);
  return ::Shell_NotifyIconA(message, &data);
}

#else

static_assert(NOTIFYICONDATAA_V1_SIZE == kNotifyIconRecordSize);

// The record is already the system's own, byte for byte. It is copied into an
// aligned NOTIFYICONDATAA (the span's bytes need not be aligned); the shell
// reads only the 88 bytes that cbSize announces.
std::int32_t CallShellNotifyIcon(std::uint32_t message, NotifyIconBytes record) {
  NOTIFYICONDATAA data{};
  std::memcpy(&data, record.data(), kNotifyIconRecordSize);
  return ::Shell_NotifyIconA(message, &data);
}

#endif

}  // namespace nocturo::win32
