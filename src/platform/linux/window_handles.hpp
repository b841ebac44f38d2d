#pragma once

#include <cstdint>
#include <optional>

#include "platform/control_ids.hpp"

namespace nocturo::linux_desktop {

// The 32-bit values the program carries for its windows and their icon, as the
// shell's records do on Windows. Here they only name things within this
// process: the tray host reads the window field back to route notifications.
inline constexpr std::uint32_t kWindowHandleBase = 0x4E00;
inline constexpr std::uint32_t kWindowIconHandle = 0x4EFF;

constexpr std::uint32_t HandleOf(WindowId window) {
  return kWindowHandleBase + 1 + static_cast<std::uint32_t>(window);
}

constexpr std::optional<WindowId> WindowOfHandle(std::uint32_t handle) {
  for (const WindowId window : {WindowId::Principal, WindowId::AcercaDe}) {
    if (HandleOf(window) == handle) {
      return window;
    }
  }
  return std::nullopt;
}

}  // namespace nocturo::linux_desktop
