#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace nocturo::linux_desktop {

enum class PlannedAction { Refuse, PowerOff, Reboot, LogOff };

// What a power request asks of the desktop. Unforced, whatever may stop the
// action (a block inhibitor, an application that will not quit) is let stop
// it; forced, the system overrides that only where its policy allows.
struct PowerPlan {
  PlannedAction action = PlannedAction::Refuse;
  bool forced = false;
};

// ExitWindowsEx's flags as the plan: power off for SHUTDOWN or POWEROFF,
// restart for REBOOT, else log off. Unknown bits, or a restart together with
// a power off, ask for something this program cannot tell apart: refused.
PowerPlan PlanFor(std::uint32_t exitFlags);

// logind's methods for a shutdown ("PowerOff", "Reboot"; the "WithFlags" form
// adds the flags word) and the flags word for the plan.
std::string_view LogindMethod(PlannedAction action);
inline constexpr std::uint64_t kLogindRootCheckInhibitors = 1;
std::uint64_t LogindFlags(const PowerPlan& plan);

// The logind session a forced log off ends: the one this program was started
// in (XDG_SESSION_ID's value), else logind's "auto", the caller's own session
// or, outside every session (an application a desktop starts in a scope of
// the user's service manager), the user's display session.
std::string SessionToEnd(std::string_view startedIn);

// One entry of logind's ListInhibitors: what is inhibited (a colon-separated
// list such as "shutdown:sleep"), how ("block", "block-weak" or "delay"), and
// who holds it and why, for the journal.
struct Inhibitor {
  std::string what;
  std::string mode;
  std::string who;
  std::string why;
};
// The first inhibitor that stops an unforced shutdown, or nothing.
const Inhibitor* ShutdownBlocker(std::span<const Inhibitor> inhibitors);

}  // namespace nocturo::linux_desktop
