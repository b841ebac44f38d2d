#include <gtest/gtest.h>

#include <span>
#include <vector>

#include "platform/linux/power_plan.hpp"

namespace nocturo::linux_desktop {
namespace {

void ExpectPlan(std::uint32_t flags, PlannedAction action, bool forced) {
  const PowerPlan plan = PlanFor(flags);
  EXPECT_EQ(plan.action, action) << "flags " << flags;
  EXPECT_EQ(plan.forced, forced) << "flags " << flags;
}

TEST(LinuxPowerPlan, TheProgramsSixRequests) {
  ExpectPlan(9, PlannedAction::PowerOff, false);
  ExpectPlan(13, PlannedAction::PowerOff, true);
  ExpectPlan(2, PlannedAction::Reboot, false);
  ExpectPlan(6, PlannedAction::Reboot, true);
  ExpectPlan(0, PlannedAction::LogOff, false);
  ExpectPlan(4, PlannedAction::LogOff, true);
}

TEST(LinuxPowerPlan, EitherShutdownBitPowersOff) {
  ExpectPlan(1, PlannedAction::PowerOff, false);
  ExpectPlan(8, PlannedAction::PowerOff, false);
}

TEST(LinuxPowerPlan, ContradictionsAndUnknownBitsAreRefused) {
  EXPECT_EQ(PlanFor(3).action, PlannedAction::Refuse);   // shutdown and reboot
  EXPECT_EQ(PlanFor(10).action, PlannedAction::Refuse);  // power off and reboot
  EXPECT_EQ(PlanFor(0x10).action, PlannedAction::Refuse);
  EXPECT_EQ(PlanFor(0x80000009).action, PlannedAction::Refuse);
}

TEST(LinuxPowerPlan, OnlyTheUnforcedRequestHoldsRootToInhibitors) {
  EXPECT_EQ(LogindFlags(PlanFor(9)), kLogindRootCheckInhibitors);
  EXPECT_EQ(LogindFlags(PlanFor(13)), 0U);
  EXPECT_EQ(LogindMethod(PlannedAction::PowerOff), "PowerOff");
  EXPECT_EQ(LogindMethod(PlannedAction::Reboot), "Reboot");
  EXPECT_EQ(LogindMethod(PlannedAction::LogOff), "");
}

TEST(LinuxPowerPlan, AForcedLogOffEndsTheSessionItWasStartedIn) {
  EXPECT_EQ(SessionToEnd("c1"), "c1");
  EXPECT_EQ(SessionToEnd(""), "auto")
      << "started outside a session (a desktop's application scope), the forced log off named no "
         "session logind can find: it must ask for the user's display session";
}

bool BlocksShutdown(std::span<const Inhibitor> inhibitors) {
  return ShutdownBlocker(inhibitors) != nullptr;
}

TEST(LinuxPowerPlan, OnlyABlockOnShutdownStopsAShutdown) {
  const std::vector<Inhibitor> harmless = {{"sleep", "block"},
                                           {"shutdown", "delay"},
                                           {"handle-power-key:handle-suspend-key", "block"},
                                           {"shutdownish", "block"}};
  EXPECT_FALSE(BlocksShutdown(harmless));
  EXPECT_FALSE(BlocksShutdown({}));
  const std::vector<Inhibitor> burning = {{"sleep", "delay"}, {"sleep:shutdown:idle", "block"}};
  EXPECT_TRUE(BlocksShutdown(burning));
  EXPECT_TRUE(BlocksShutdown(std::vector<Inhibitor>{{"shutdown", "block"}}));
}

TEST(LinuxPowerPlan, OnlyADelayLetsAShutdownPast) {
  EXPECT_TRUE(BlocksShutdown(std::vector<Inhibitor>{{"shutdown", "block-weak"}}))
      << "systemd-inhibit --mode=block-weak let an unforced shutdown past";
  EXPECT_TRUE(BlocksShutdown(std::vector<Inhibitor>{{"shutdown", "block-someday"}}))
      << "a mode this program does not know let an unforced shutdown past";
  EXPECT_TRUE(BlocksShutdown(std::vector<Inhibitor>{{"shutdown", ""}}))
      << "an inhibitor without a mode let an unforced shutdown past";
}

}  // namespace
}  // namespace nocturo::linux_desktop
