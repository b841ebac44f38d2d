#pragma once

#include <optional>
#include <string_view>

namespace nocturo::linux_desktop {

// Whether the program can place its windows on this Qt platform and read back
// where they stand. A Wayland compositor does neither for its clients.
bool PlatformPlacesWindows(std::string_view platformName);

struct ScreenPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// Where a window stands as the program remembers it, in pixels. "asked" is
// where the program last put it, "placed" where the window system showed it
// first after that, "now" where the window system says it is. A window
// manager may put a window elsewhere than asked (weston's puts X11 windows
// where it likes, and tells Qt nothing of it): the place the program asked for
// then stands, moved only by as much as the window has moved since.
ScreenPoint KeptPosition(std::optional<ScreenPoint> asked, std::optional<ScreenPoint> placed,
                         ScreenPoint now);

}  // namespace nocturo::linux_desktop
