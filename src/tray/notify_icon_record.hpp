#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/system.hpp"

namespace nocturo {

// The shell's icon record in its original 88-byte form, little-endian, 8-bit
// tooltip.
using NotifyIconRecord = std::array<std::uint8_t, kNotifyIconRecordSize>;

// What the shell is asked to do with a record.
inline constexpr std::uint32_t kNimAdd = 0;
inline constexpr std::uint32_t kNimModify = 1;
inline constexpr std::uint32_t kNimDelete = 2;

// Which of a record's fields the shell reads.
inline constexpr std::uint32_t kNifMessage = 1;
inline constexpr std::uint32_t kNifIcon = 2;
inline constexpr std::uint32_t kNifTip = 4;

// The window messages a notification is made of: it arrives as a mouse move
// whose coordinate carries the mouse message that happened over the icon.
inline constexpr std::uint32_t kMouseMove = 512;       // WM_MOUSEMOVE
inline constexpr std::int32_t kLeftDoubleClick = 515;  // WM_LBUTTONDBLCLK
inline constexpr std::int32_t kRightButtonUp = 517;    // WM_RBUTTONUP

inline constexpr std::uint32_t kTrayIconId = 1;
inline constexpr std::uint32_t kTrayFlags = kNifMessage | kNifIcon | kNifTip;
inline constexpr std::uint32_t kTrayCallback = kMouseMove;
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
