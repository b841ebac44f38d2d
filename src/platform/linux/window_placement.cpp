#include "platform/linux/window_placement.hpp"

namespace nocturo::linux_desktop {

bool PlatformPlacesWindows(std::string_view platformName) {
  // "wayland", "wayland-egl", "wayland-xcomposite-glx"...
  return !platformName.starts_with("wayland");
}

ScreenPoint KeptPosition(std::optional<ScreenPoint> asked, std::optional<ScreenPoint> placed,
                         ScreenPoint now) {
  if (!asked || !placed) {
    return now;
  }
  return {asked->x + now.x - placed->x, asked->y + now.y - placed->y};
}

}  // namespace nocturo::linux_desktop
