#include "platform/linux/power_plan.hpp"

#include <algorithm>

#include "power/exit_flags.hpp"

namespace nocturo::linux_desktop {

PowerPlan PlanFor(std::uint32_t exitFlags) {
  constexpr std::uint32_t known = kEwxShutdown | kEwxReboot | kEwxForce | kEwxPoweroff;
  const bool powerOff = (exitFlags & (kEwxShutdown | kEwxPoweroff)) != 0;
  const bool reboot = (exitFlags & kEwxReboot) != 0;
  PowerPlan plan{.forced = (exitFlags & kEwxForce) != 0};
  if ((exitFlags & ~known) != 0 || (powerOff && reboot)) {
    plan.action = PlannedAction::Refuse;
  } else if (powerOff) {
    plan.action = PlannedAction::PowerOff;
  } else if (reboot) {
    plan.action = PlannedAction::Reboot;
  } else {
    plan.action = PlannedAction::LogOff;
  }
  return plan;
}

std::string_view LogindMethod(PlannedAction action) {
  switch (action) {
    case PlannedAction::PowerOff:
      return "PowerOff";
    case PlannedAction::Reboot:
      return "Reboot";
    default:
      return {};
  }
}

// Root passes logind's inhibitor check unless it asks to be held to it.
std::uint64_t LogindFlags(const PowerPlan& plan) {
  return plan.forced ? 0 : kLogindRootCheckInhibitors;
}

std::string SessionToEnd(std::string_view startedIn) {
  return startedIn.empty() ? std::string("auto") : std::string(startedIn);
}

const Inhibitor* ShutdownBlocker(std::span<const Inhibitor> inhibitors) {
  const auto blocker =
      std::find_if(inhibitors.begin(), inhibitors.end(), [](const Inhibitor& inhibitor) {
        // Only a delay may be passed: "block-weak" (systemd 257) is a block,
        // and so is a mode this program does not know.
        if (inhibitor.mode == "delay") {
          return false;
        }
        std::string_view rest = inhibitor.what;
        while (!rest.empty()) {
          const std::size_t colon = rest.find(':');
          if (rest.substr(0, colon) == "shutdown") {
            return true;
          }
          rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
        }
        return false;
      });
  return blocker == inhibitors.end() ? nullptr : &*blocker;
}

}  // namespace nocturo::linux_desktop
