#include "tray/notify_icon_record.hpp"

#include <algorithm>
#include <string>

#include "common/little_endian.hpp"
#include "common/text_encoding.hpp"

namespace nocturo {

std::string TooltipFor(std::string_view text) {
  std::string tip = "Nocturo";
  if (!text.empty()) {
    tip += " - ";
    tip += text;
  }
  return tip;
}

namespace {

NotifyIconRecord BaseRecord(std::uint32_t window) {
  NotifyIconRecord record{};
  namespace off = notify_icon_offset;
  PutU32(record, off::kSize, static_cast<std::uint32_t>(kNotifyIconRecordSize));
  PutU32(record, off::kWindow, window);
  PutU32(record, off::kId, kTrayIconId);
  return record;
}

}  // namespace

NotifyIconRecord BuildNotifyIconRecord(std::uint32_t window, std::uint32_t icon,
                                       std::string_view tooltipUtf8) {
  namespace off = notify_icon_offset;
  NotifyIconRecord record = BaseRecord(window);
  PutU32(record, off::kFlags, kTrayFlags);
  PutU32(record, off::kCallbackMessage, kTrayCallback);
  PutU32(record, off::kIcon, icon);

  const std::string tip = Utf8ToCp1252(tooltipUtf8);
  const std::size_t length = std::min(tip.size(), kTooltipMaxText);
  auto* field = record.begin() + static_cast<std::ptrdiff_t>(off::kTip);
  std::fill(field, record.end(), std::uint8_t{' '});
  std::copy_n(tip.begin(), length, field);
  *(field + static_cast<std::ptrdiff_t>(length)) = 0;
  return record;
}

NotifyIconRecord BuildNotifyIconDeleteRecord(std::uint32_t window) {
  return BaseRecord(window);
}

}  // namespace nocturo
