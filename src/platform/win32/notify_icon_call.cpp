#include "platform/win32/notify_icon_call.hpp"

#include <cstring>

#include "platform/win32/system_handles.hpp"

#include <shellapi.h>

namespace nocturo::win32 {

#if defined(_WIN64)

namespace {

std::uint32_t ReadUint32(NotifyIconBytes record, std::size_t offset) {
  std::uint32_t value = 0;
  std::memcpy(&value, record.data() + offset, sizeof value);
  return value;  // little-endian, as the machine is
}

}  // namespace

// The 64-bit test build: the shell expects the native layout, so the 32-bit
// record's fields are widened into one, handles sign-extended, with the size
// of the same first version of the record.
std::int32_t CallShellNotifyIcon(std::uint32_t message, NotifyIconBytes record) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = FromHandle32<HWND>(ReadUint32(record, 4));
  data.uID = ReadUint32(record, 8);
  data.uFlags = ReadUint32(record, 12);
  data.uCallbackMessage = ReadUint32(record, 16);
  data.hIcon = FromHandle32<HICON>(ReadUint32(record, 20));
  static_assert(sizeof data.szTip >= 64);
  std::memcpy(data.szTip, record.data() + 24, 64);
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
