#include "platform/linux/session_platform.hpp"

#include <cstddef>

namespace nocturo::linux_desktop {
namespace {

// Qt reads "-platform NAME" and "--platform NAME"; a lone last one it ignores.
bool ChoosesPlatform(const std::vector<std::string_view>& arguments) {
  for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
    if (arguments[i] == "-platform" || arguments[i] == "--platform") {
      return true;
    }
  }
  return false;
}

}  // namespace

std::optional<std::string> RequestedPlatform(const SessionFacts& facts) {
  if (facts.display.empty() || !facts.qpaPlatform.empty() || ChoosesPlatform(facts.arguments)) {
    return std::nullopt;
  }
  return std::string("xcb;wayland");
}

}  // namespace nocturo::linux_desktop
