#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nocturo::linux_desktop {

// What decides the Qt platform plug-in before Qt starts: the session's X
// display, the user's own choice in the environment, and the arguments Qt will
// read (-platform).
struct SessionFacts {
  std::string_view display;      // $DISPLAY
  std::string_view qpaPlatform;  // $QT_QPA_PLATFORM
  std::vector<std::string_view> arguments;
};

// The plug-in list to hand Qt, or nothing to leave Qt its own choice. Where the
// session has an X server, even one serving a Wayland compositor, the program
// runs through it: only there can it put its window back where the user left
// it and read where it stands. Wayland is the way out when that server cannot
// be reached. A platform the user chose stands.
std::optional<std::string> RequestedPlatform(const SessionFacts& facts);

}  // namespace nocturo::linux_desktop
