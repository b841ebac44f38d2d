#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/system.hpp"

namespace nocturo {

// The shell's icon record in its original 88-byte form, little-endian, 8-bit
// tooltip.
using NotifyIconRecord = std::array<std::uint8_t, kNotifyIconRecordSize>;

inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;

inline constexpr std::uint32_t kTrayIconId = 1;
inline constexpr std::uint32_t kTrayFlags = 7;       // message + icon + tip
inline constexpr std::uint32_t kTrayCallback = 512;  // arrives as a mouse move
inline constexpr std::size_t kTooltipField = 64;
inline constexpr std::size_t kTooltipMaxText = kTooltipField - 1;

namespace notify_icon_offset {
inline constexpr std::size_t kSize = 0;
inline constexpr std::size_t kWindow = 4;
inline constexpr std::size_t kId = 8;
inline constexpr std::size_t kFlags = 12;
inline constexpr std::size_t kCallbackMessage = 16;
inline constexpr std::size_t kIcon = 20;
inline constexpr std::size_t kTip = 24;
}  // namespace notify_icon_offset

// "Nocturo" alone for an empty text, else "Nocturo - " and the text.
std::string TooltipFor(std::string_view text);

// The record for an add or an update: tooltip text in code page 1252, cut at
// 63 characters, one NUL, blanks to the end of the field.
NotifyIconRecord BuildNotifyIconRecord(std::uint32_t window, std::uint32_t icon,
                                       std::string_view tooltipUtf8);
// The record for a delete: zero beyond the size, the window and the id.
NotifyIconRecord BuildNotifyIconDeleteRecord(std::uint32_t window);

}  // namespace nocturo
