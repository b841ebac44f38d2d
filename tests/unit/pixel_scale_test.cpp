// Twips to pixels as both window backends convert the designs.
#include <gtest/gtest.h>

#include "common/pixel_scale.hpp"

namespace nocturo {
namespace {

TEST(PixelScale, At96DotsPerInchAPixelIsFifteenTwips) {
  const PixelScale scale = PixelScale::AtDpi(96, 96);
  EXPECT_EQ(scale.twipsPerPixelX, 15.0F);
  EXPECT_EQ(scale.ToPixelsX(3615), 241);
  EXPECT_EQ(scale.ToPixelsY(5595), 373);
  EXPECT_EQ(scale.ToTwipsX(241), 3615.0F);
  EXPECT_EQ(scale.PointsToPixels(8.25F), 11);
}

TEST(PixelScale, At120DotsPerInchTheDesignsGrowAndRoundToTheNearestPixel) {
  const PixelScale scale = PixelScale::AtDpi(120, 120);
  EXPECT_EQ(scale.twipsPerPixelY, 12.0F);
  EXPECT_EQ(scale.ToPixelsX(3615), 301);  // 301.25
  EXPECT_EQ(scale.ToPixelsY(285), 24);    // 23.75
  EXPECT_EQ(scale.PointsToPixels(8.25F), 14);
  EXPECT_EQ(scale.PointsToPixels(20.25F), 34);  // 33.75
}

TEST(PixelScale, AHalfPixelGoesToTheEvenOne) {
  const PixelScale scale = PixelScale::AtDpi(96, 96);
  EXPECT_EQ(scale.ToPixelsX(337.5F), 22);  // 22.5
  EXPECT_EQ(scale.ToPixelsX(352.5F), 24);  // 23.5
}

TEST(PixelScale, EachAxisKeepsItsOwnResolution) {
  const PixelScale scale = PixelScale::AtDpi(144, 96);
  EXPECT_EQ(scale.ToPixelsX(1440), 144);
  EXPECT_EQ(scale.ToPixelsY(1440), 96);
}

TEST(PixelScale, AResolutionThatIsNotPositiveLeavesThe96DpiScale) {
  for (const auto& [x, y] : {std::pair{0, 96}, std::pair{96, -1}}) {
    const PixelScale scale = PixelScale::AtDpi(x, y);
    EXPECT_EQ(scale.twipsPerPixelX, 15.0F);
    EXPECT_EQ(scale.twipsPerPixelY, 15.0F);
    EXPECT_EQ(scale.dpiY, 96);
  }
}

}  // namespace
}  // namespace nocturo
