#include <gtest/gtest.h>

#include "platform/linux/window_placement.hpp"

namespace nocturo::linux_desktop {
namespace {

TEST(WindowPlacement, OnlyWaylandKeepsWindowsPlacesToItself) {
  EXPECT_TRUE(PlatformPlacesWindows("xcb"));
  EXPECT_TRUE(PlatformPlacesWindows("offscreen"));
  EXPECT_FALSE(PlatformPlacesWindows("wayland"));
  EXPECT_FALSE(PlatformPlacesWindows("wayland-egl"));
}

TEST(WindowPlacement, AWindowShownWhereAskedIsWhereItStands) {
  const ScreenPoint asked{192, 80};
  EXPECT_EQ(KeptPosition(asked, asked, {300, 150}), (ScreenPoint{300, 150}));
  EXPECT_EQ(KeptPosition(asked, std::nullopt, {192, 80}), asked) << "never shown";
  EXPECT_EQ(KeptPosition(std::nullopt, std::nullopt, {5, 6}), (ScreenPoint{5, 6}));
}

TEST(WindowPlacement, APlacementTheWindowManagerOverrodeIsKept) {
  const ScreenPoint asked{192, 80};
  EXPECT_EQ(KeptPosition(asked, ScreenPoint{0, 0}, {0, 0}), asked);
  EXPECT_EQ(KeptPosition(asked, ScreenPoint{76, 118}, {86, 98}), (ScreenPoint{202, 60}))
      << "moved by 10, -20 since";
}

}  // namespace
}  // namespace nocturo::linux_desktop
