#include <gtest/gtest.h>

#include "app/window_position.hpp"
#include "sim_fixture.hpp"

namespace nocturo {
namespace {

using testing::Program;

TEST(StoredCoordinate, ReadsWholeNumbersAndRoundsFractionsHalfToEven) {
  EXPECT_EQ(StoredCoordinate("2880", 0, ","), 2880);
  EXPECT_EQ(StoredCoordinate("-120", 0, ","), -120);
  EXPECT_EQ(StoredCoordinate(" 15 ", 0, ","), 15);
  EXPECT_EQ(StoredCoordinate("2,5", 0, ","), 2);
  EXPECT_EQ(StoredCoordinate("3,5", 0, ","), 4);
}

TEST(StoredCoordinate, FallsBackToTheRoundedDefault) {
  EXPECT_EQ(StoredCoordinate(std::nullopt, 2.5F, ","), 2);
  EXPECT_EQ(StoredCoordinate(std::nullopt, 3.5F, ","), 4);
  EXPECT_EQ(StoredCoordinate(std::nullopt, -7.5F, ","), -8);
}

TEST(StoredCoordinate, RefusesHandEditedGarbage) {
  for (const char* text :
       {"", "abc", "12px", "0x10", "2147483648", "-2147483649", "1e10", "nan", "inf", "1,5,5"}) {
    EXPECT_EQ(StoredCoordinate(std::string(text), 100, ","), 100) << text;
  }
  EXPECT_EQ(StoredCoordinate(std::string(10000, '1'), 100, ","), 100);
  EXPECT_EQ(StoredCoordinate("2147483647", 100, ","), 2147483647);
  EXPECT_EQ(StoredCoordinate("-2147483648", 100, ","), -2147483647 - 1);
}

class Position : public ::testing::Test {
 protected:
  // The main window's outer size in the simulation: its client area and frame.
  static constexpr float kWidth = 3615 + 90;
  static constexpr float kHeight = 5595 + 90 + 255;

  TwipsRect Restored() {
    EXPECT_TRUE(program.Start());
    return program.ui().Bounds(WindowId::Principal);
  }
  Program program;
};

TEST_F(Position, NothingStoredCentresTheWindowHalfToEven) {
  program.ui().SetScreen({.width = kWidth + 5, .height = kHeight + 7});
  const TwipsRect bounds = Restored();
  EXPECT_EQ(bounds.left, 2);
  EXPECT_EQ(bounds.top, 4);
  EXPECT_EQ(bounds.width, kWidth);  // moved, not resized
  EXPECT_FALSE(program.ui().IsVisible(WindowId::Principal));
  EXPECT_EQ(program.machine.settings.writes, 0);
}

TEST_F(Position, StoredValuesWinWhateverTheScreen) {
  program.machine.settings.Put("PosX", "2880");
  program.machine.settings.Put("PosY", "1200");
  const TwipsRect bounds = Restored();
  EXPECT_EQ(bounds.left, 2880);
  EXPECT_EQ(bounds.top, 1200);
}

TEST_F(Position, AMissingValueCentresThatCoordinateAlone) {
  program.ui().SetScreen({.width = 15360, .height = 11520});
  program.machine.settings.Put("PosX", "-120");
  const TwipsRect bounds = Restored();
  EXPECT_EQ(bounds.left, -120);
  EXPECT_EQ(bounds.top, (11520 - kHeight) / 2);
}

TEST_F(Position, GarbageOfAnyKindCentres) {
  program.ui().SetScreen({.width = kWidth + 100, .height = kHeight + 100});
  program.machine.settings.Put("PosX", "\xff\xfe garbage");
  program.machine.settings.PutNonText("PosY");
  const TwipsRect bounds = Restored();
  EXPECT_EQ(bounds.left, 50);
  EXPECT_EQ(bounds.top, 50);
}

// At 192 DPI a pixel is 7.5 twips, so a moved window can stand on a half
// twip, which is written with the regional separator and read back to the
// nearest twip, a half going to the even one.
TEST_F(Position, AMovedWindowComesBackAtTheNextStart) {
  const ScreenMetrics highDpi{
      .width = 15360, .height = 11520, .twipsPerPixelX = 7.5F, .twipsPerPixelY = 7.5F};
  {
    Program first;
    first.ui().SetScreen(highDpi);
    ASSERT_EQ(first.machine.regional.decimalSeparator, ",");
    ASSERT_TRUE(first.Start());
    first.ui().Move(WindowId::Principal, -17 * 7.5F, 47 * 7.5F);
    first.ui().SetMenuChoice(3);
    EXPECT_FALSE(first.machine.Run([&] { first.ui().PostTrayNotification(517); }));
    EXPECT_EQ(first.machine.settings.Get("PosX").value_or(""), "-127,5")
        << "written with the regional separator";
    EXPECT_EQ(first.machine.settings.Get("PosY").value_or(""), "352,5")
        << "written with the regional separator";
    program.machine.settings.Put("PosX", *first.machine.settings.Get("PosX"));
    program.machine.settings.Put("PosY", *first.machine.settings.Get("PosY"));
  }
  program.ui().SetScreen(highDpi);
  const TwipsRect bounds = Restored();
  EXPECT_EQ(bounds.left, -128);
  EXPECT_EQ(bounds.top, 352);
}

TEST_F(Position, AnImmediateActionWritesBackThePositionItRestored) {
  program.machine.settings.Put("PosX", "1500");
  program.machine.settings.Put("PosY", "900");
  EXPECT_FALSE(program.Start("/I"));
  EXPECT_EQ(program.machine.settings.Get("PosX"), "1500");
  EXPECT_EQ(program.machine.settings.Get("PosY"), "900");
  EXPECT_EQ(program.machine.settings.writes, 4);
}

// A Wayland compositor neither places the window nor says where it is: what
// Bounds gives there is no position, and writing it would lose the user's.
TEST_F(Position, AWindowSystemThatKeepsPlacesToItselfLeavesTheStoreAlone) {
  program.ui().SetPlacesWindows(false);
  program.machine.settings.Put("PosX", "2880");
  program.machine.settings.Put("PosY", "1200");
  ASSERT_TRUE(program.Start("/S"));
  program.ui().SetMenuChoice(3);
  EXPECT_FALSE(program.machine.Run([&] { program.ui().PostTrayNotification(517); }));
  EXPECT_EQ(program.machine.settings.writes, 0) << "the stored position was rewritten";
  EXPECT_EQ(program.machine.settings.Get("PosX"), "2880");
  EXPECT_EQ(program.machine.settings.Get("PosY"), "1200");
}

TEST_F(Position, AnUnwritableStoreDoesNotStopTheExit) {
  program.machine.settings.readOnly = true;
  ASSERT_TRUE(program.Start());
  program.ui().SetMenuChoice(3);
  EXPECT_FALSE(program.machine.Run([&] { program.ui().PostTrayNotification(517); }));
  EXPECT_TRUE(program.system().icons.empty());
}

}  // namespace
}  // namespace nocturo
