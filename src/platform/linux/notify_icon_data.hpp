#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/system.hpp"

namespace nocturo::linux_desktop {

// The fields of a shell icon record that the tray shows or routes by.
struct NotifyIconData {
  std::uint32_t window = 0;
  std::uint32_t id = 0;
  std::uint32_t flags = 0;
  std::uint32_t callbackMessage = 0;
  std::uint32_t icon = 0;
  std::string tooltip;  // UTF-8
};

// Reads a record as the shell does: nullopt when its size field is not the
// 88-byte form's. The tooltip is the code page 1252 text up to its first NUL
// (all 64 bytes when there is none), in UTF-8.
std::optional<NotifyIconData> DecodeNotifyIcon(NotifyIconBytes record);

}  // namespace nocturo::linux_desktop
