#include <gtest/gtest.h>

#include "platform/linux/accessibility_choice.hpp"

namespace nocturo::linux_desktop {
namespace {

constexpr std::string_view kAbsent = "unix:path=/dev/null/absent";
const AccessibilityBusSource kAnswering{"unix:path=/run/a11y", true};
const AccessibilityBusSource kSilent{"unix:path=/run/hung", false};
const AccessibilityBusSource kSilentLauncher{};

TEST(AccessibilityBus, BusesThatAnswerAreLeftToQt) {
  EXPECT_EQ(BridgeBusAddress(std::nullopt, std::nullopt, std::nullopt, kAbsent), std::nullopt);
  EXPECT_EQ(BridgeBusAddress(kAnswering, std::nullopt, std::nullopt, kAbsent), std::nullopt);
  EXPECT_EQ(BridgeBusAddress(std::nullopt, kAnswering, kAnswering, kAbsent), std::nullopt);
}

TEST(AccessibilityBus, ASilentBusInTheEnvironmentIsTakenAway) {
  EXPECT_EQ(BridgeBusAddress(kSilent, std::nullopt, std::nullopt, kAbsent), kAbsent);
  EXPECT_EQ(BridgeBusAddress(kSilent, kAnswering, kAnswering, kAbsent), kAbsent)
      << "Qt reads nothing else once the variable is set";
}

TEST(AccessibilityBus, ASilentLauncherOrBusIsReplacedByOneThatAnswered) {
  EXPECT_EQ(BridgeBusAddress(std::nullopt, kSilentLauncher, std::nullopt, kAbsent), kAbsent);
  EXPECT_EQ(BridgeBusAddress(std::nullopt, kSilent, kSilent, kAbsent), kAbsent);
  EXPECT_EQ(BridgeBusAddress(std::nullopt, kSilentLauncher, kAnswering, kAbsent),
            kAnswering.address);
  EXPECT_EQ(BridgeBusAddress(std::nullopt, kAnswering, kSilent, kAbsent), kAnswering.address)
      << "Qt would open the root window's bus too";
  EXPECT_EQ(BridgeBusAddress(std::nullopt, std::nullopt, kSilent, kAbsent), kAbsent);
}

}  // namespace
}  // namespace nocturo::linux_desktop
