#include <gtest/gtest.h>

#include "main/header_band_layout.hpp"
#include "sim_fixture.hpp"

namespace nocturo {
namespace {

using enum ControlId;
using testing::Program;

class HeaderBandLayout : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(program.Start()); }
  float Left(ControlId control) { return program.ui().ControlBounds(control).left; }
  float Width(ControlId control) { return program.ui().ControlBounds(control).width; }
  Program program;
};

TEST_F(HeaderBandLayout, TheMainWindowsBandIsLaidOutWhenFirstShown) {
  EXPECT_EQ(Left(PrincipalLogo), 3000);  // the design values until then
  EXPECT_EQ(Width(PrincipalDescripcion), 2220);
  program.ui().Show(WindowId::Principal);
  EXPECT_EQ(Left(PrincipalLogo), 3015);
  EXPECT_EQ(Width(PrincipalDescripcion), 2250);
}

TEST_F(HeaderBandLayout, TheAboutWindowsBandIsLaidOutWhenFirstShown) {
  program.ui().Show(WindowId::AcercaDe);
  EXPECT_EQ(Left(AcercaLogo), 3840);
  EXPECT_EQ(Width(AcercaDescripcion), 3075);
  // The logo ends 120 from the band's edge and the description 120 before it.
  EXPECT_EQ(Left(AcercaLogo) + Width(AcercaLogo) + 120, 4440);
  EXPECT_EQ(Left(AcercaDescripcion) + Width(AcercaDescripcion) + 120, Left(AcercaLogo));
}

TEST_F(HeaderBandLayout, LeavesTheTitleAloneWhateverTheWidth) {
  const TwipsRect title = program.ui().ControlBounds(PrincipalTitulo);
  program.ui().SetControlWidth(PrincipalBanda, 9000);
  LayoutHeaderBand(program.ui(), HeaderBandOf(WindowId::Principal));
  const TwipsRect after = program.ui().ControlBounds(PrincipalTitulo);
  EXPECT_EQ(after.left, title.left);
  EXPECT_EQ(after.width, title.width);
  EXPECT_EQ(Left(PrincipalLogo), 8400);
}

TEST_F(HeaderBandLayout, AnExactlyFullBandLeavesNoRoomForTheDescription) {
  program.ui().SetControlWidth(PrincipalBanda, 1365);
  LayoutHeaderBand(program.ui(), HeaderBandOf(WindowId::Principal));
  EXPECT_EQ(Width(PrincipalDescripcion), 0);
}

TEST_F(HeaderBandLayout, ANarrowerBandHoldsTheDescriptionAtZero) {
  program.ui().SetControlWidth(PrincipalBanda, 600);
  LayoutHeaderBand(program.ui(), HeaderBandOf(WindowId::Principal));
  EXPECT_EQ(Width(PrincipalDescripcion), 0);
  EXPECT_EQ(Left(PrincipalLogo), 0);
}

}  // namespace
}  // namespace nocturo
