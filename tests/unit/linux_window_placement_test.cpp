#include <gtest/gtest.h>

#include <ostream>

#include "platform/linux/window_placement.hpp"

namespace nocturo::linux_desktop {

void PrintTo(const ScreenPoint& point, std::ostream* out) {
  *out << point.x << "," << point.y;
}

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

// xfwm4's frame: 5 pixels on three sides, a title bar of 29.
constexpr FrameExtents kXfwm{5, 5, 29, 5};

FrameReading Framed(ScreenPoint client, FrameExtents extents) {
  return {.client = client, .framed = true, .extents = extents, .outer = {-1, -1}};
}

TEST(WindowPlacement, TheFrameIsTheClientAreaLessTheWidthsTheManagerTold) {
  EXPECT_EQ(FrameTopLeft(Framed({405, 279}, kXfwm)), (ScreenPoint{400, 250}));
  EXPECT_EQ(FrameTopLeft({.client = {405, 279}, .framed = true, .outer = {400, 250}}),
            (ScreenPoint{400, 250}))
      << "widths not told: the outermost window";
  EXPECT_EQ(FrameTopLeft({.client = {400, 250}, .extents = kXfwm, .outer = {400, 250}}),
            (ScreenPoint{400, 250}))
      << "not framed yet: the manager will put the frame where the window stands";
}

TEST(WindowPlacement, ADraggedFrameIsStoredAsTheFrameAndKeptWhenHidden) {
  FramePlace place;
  EXPECT_EQ(place.Where(std::nullopt), std::nullopt);
  place.Asked({400, 250});
  EXPECT_EQ(place.Where(std::nullopt), (ScreenPoint{400, 250})) << "never shown";
  place.Seen({.client = {400, 250}, .outer = {400, 250}}, false);
  EXPECT_EQ(place.Where(std::nullopt), (ScreenPoint{400, 250})) << "not framed yet";
  place.Seen(Framed({405, 279}, kXfwm), true);
  EXPECT_FALSE(place.Settling());
  place.Seen(Framed({505, 359}, kXfwm), false);
  EXPECT_EQ(place.Where(Framed({505, 359}, kXfwm)), (ScreenPoint{500, 330}));
  EXPECT_EQ(place.Where(std::nullopt), (ScreenPoint{500, 330})) << "hidden after the drag";
}

TEST(WindowPlacement, APassingPlaceTheManagerPaintedAtIsNotItsChoice) {
  const FrameExtents kwin{0, 0, 37, 0};
  FramePlace place;
  place.Asked({400, 250});
  place.Seen(Framed({0, 37}, kwin), true);
  place.Seen(Framed({400, 287}, kwin), false);
  EXPECT_EQ(place.Where(Framed({400, 287}, kwin)), (ScreenPoint{400, 250}));
  EXPECT_EQ(place.Where(Framed({500, 367}, kwin)), (ScreenPoint{500, 330}));
}

TEST(WindowPlacement, AManagerThatPlacesWindowsItselfLeavesThePlacePut) {
  const FrameExtents weston{0, 0, 30, 0};
  FramePlace place;
  place.Asked({192, 80});
  EXPECT_TRUE(place.Settling());
  place.Seen(Framed({0, 30}, weston), true);
  EXPECT_FALSE(place.Settling());
  EXPECT_EQ(place.Where(Framed({0, 30}, weston)), (ScreenPoint{192, 80}));
  place.Seen(Framed({10, 10}, weston), false);
  EXPECT_EQ(place.Where(std::nullopt), (ScreenPoint{202, 60})) << "moved by 10, -20 since";
  place.Asked({50, 60});
  EXPECT_EQ(place.Where(std::nullopt), (ScreenPoint{50, 60})) << "put again while hidden";
}

}  // namespace
}  // namespace nocturo::linux_desktop
