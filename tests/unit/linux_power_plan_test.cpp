#include <gtest/gtest.h>

#include <vector>

#include "platform/linux/power_plan.hpp"

namespace nocturo::linux_desktop {
namespace {

void ExpectPlan(std::uint32_t flags, PowerAction action, bool forced) {
  const PowerPlan plan = PlanFor(flags);
  EXPECT_EQ(plan.action, action) << "flags " << flags;
  EXPECT_EQ(plan.forced, forced) << "flags " << flags;
}

TEST(LinuxPowerPlan, TheProgramsSixRequests) {
  ExpectPlan(9, PowerAction::PowerOff, false);
  ExpectPlan(13, PowerAction::PowerOff, true);
  ExpectPlan(2, PowerAction::Reboot, false);
  ExpectPlan(6, PowerAction::Reboot, true);
  ExpectPlan(0, PowerAction::LogOff, false);
  ExpectPlan(4, PowerAction::LogOff, true);
}

TEST(LinuxPowerPlan, EitherShutdownBitPowersOff) {
  ExpectPlan(1, PowerAction::PowerOff, false);
  ExpectPlan(8, PowerAction::PowerOff, false);
}

TEST(LinuxPowerPlan, ContradictionsAndUnknownBitsAreRefused) {
  EXPECT_EQ(PlanFor(3).action, PowerAction::Refuse);   // shutdown and reboot
  EXPECT_EQ(PlanFor(10).action, PowerAction::Refuse);  // power off and reboot
  EXPECT_EQ(PlanFor(0x10).action, PowerAction::Refuse);
  EXPECT_EQ(PlanFor(0x80000009).action, PowerAction::Refuse);
}

TEST(LinuxPowerPlan, OnlyTheUnforcedRequestHoldsRootToInhibitors) {
  EXPECT_EQ(LogindFlags(PlanFor(9)), kLogindRootCheckInhibitors);
  EXPECT_EQ(LogindFlags(PlanFor(13)), 0U);
  EXPECT_EQ(LogindMethod(PowerAction::PowerOff), "PowerOff");
  EXPECT_EQ(LogindMethod(PowerAction::Reboot), "Reboot");
  EXPECT_EQ(LogindMethod(PowerAction::LogOff), "");
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

}  // namespace
}  // namespace nocturo::linux_desktop
