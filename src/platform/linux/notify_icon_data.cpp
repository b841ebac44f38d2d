#include "platform/linux/notify_icon_data.hpp"

#include <algorithm>

#include "common/little_endian.hpp"
#include "common/text_encoding.hpp"
#include "tray/notify_icon_record.hpp"

namespace nocturo::linux_desktop {

std::optional<NotifyIconData> DecodeNotifyIcon(NotifyIconBytes record) {
  namespace off = notify_icon_offset;
  if (GetU32(record, off::kSize) != kNotifyIconRecordSize) {
    return std::nullopt;
  }
  const auto tip = record.subspan(off::kTip);
  const auto end = std::find(tip.begin(), tip.end(), std::uint8_t{0});
  const std::string tipText(tip.begin(), end);
  return NotifyIconData{.window = GetU32(record, off::kWindow),
                        .id = GetU32(record, off::kId),
                        .flags = GetU32(record, off::kFlags),
                        .callbackMessage = GetU32(record, off::kCallbackMessage),
                        .icon = GetU32(record, off::kIcon),
                        .tooltip = Cp1252ToUtf8(tipText)};
}

}  // namespace nocturo::linux_desktop
