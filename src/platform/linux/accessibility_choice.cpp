#include "platform/linux/accessibility_choice.hpp"

namespace nocturo::linux_desktop {

std::optional<std::string> BridgeBusAddress(
    const std::optional<AccessibilityBusSource>& environment,
    const std::optional<AccessibilityBusSource>& launcher,
    const std::optional<AccessibilityBusSource>& rootWindow, std::string_view absent) {
  if (environment) {
    return environment->answered ? std::nullopt : std::optional<std::string>(absent);
  }
  const bool launcherSilent = launcher && !launcher->answered;
  const bool rootWindowSilent = rootWindow && !rootWindow->answered;
  if (!launcherSilent && !rootWindowSilent) {
    return std::nullopt;
  }
  for (const auto* source : {&launcher, &rootWindow}) {
    if (*source && (*source)->answered) {
      return (*source)->address;
    }
  }
  return std::string(absent);
}

}  // namespace nocturo::linux_desktop
