#include <gtest/gtest.h>

#include "scheduler/countdown_text.hpp"
#include "sim_fixture.hpp"

namespace nocturo {
namespace {

using enum ControlId;
using testing::Program;

TEST(RemainingTimeText, ShowsHoursMinutesSecondsWithTwoDigitsEach) {
  EXPECT_EQ(RemainingTimeText(0), "00:00:00");
  EXPECT_EQ(RemainingTimeText(59), "00:00:59");
  EXPECT_EQ(RemainingTimeText(60), "00:01:00");
  EXPECT_EQ(RemainingTimeText(3599), "00:59:59");
  EXPECT_EQ(RemainingTimeText(3725), "01:02:05");
  EXPECT_EQ(RemainingTimeText(86399), "23:59:59");
}

TEST(RemainingTimeText, DoesNotReduceHoursToADay) {
  EXPECT_EQ(RemainingTimeText(86400), "24:00:00");
  EXPECT_EQ(RemainingTimeText(360000), "100:00:00");
  EXPECT_EQ(RemainingTimeText(2147483647), "596523:14:07");
}

TEST(RemainingTimeText, ShowsNegativePartsWithASign) {
  EXPECT_EQ(RemainingTimeText(-1), "00:00:-01");
  EXPECT_EQ(RemainingTimeText(-3661), "-01:-01:-01");
  EXPECT_EQ(RemainingTimeText(INT32_MIN), "-596523:-14:-08");  // no magnitude overflows
}

class Countdown : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(program.Start("/S")); }
  void StartMinutes(std::string_view minutes) {
    ASSERT_TRUE(program.ui().ReplaceText(txtDentroDe, minutes));
    ASSERT_TRUE(program.Click(btnEmpezar));
  }
  Program program;
};

TEST_F(Countdown, AMinuteCountsDownOnceASecondAndActsRightAfterZero) {
  StartMinutes("1");
  EXPECT_EQ(program.Text(lblMinRestantes), "00:01:00");
  EXPECT_EQ(program.Text(lblAtencion), "CONTANDO");
  EXPECT_TRUE(program.ui().TimerEnabled());
  ASSERT_TRUE(program.Tick());
  EXPECT_EQ(program.Text(lblMinRestantes), "00:00:59");
  ASSERT_TRUE(program.Tick(58));
  EXPECT_EQ(program.Text(lblMinRestantes), "00:00:01");
  EXPECT_TRUE(program.system().CallsNamed("ExitWindowsEx").empty());
  EXPECT_FALSE(program.Tick());  // the action ends the program
  EXPECT_EQ(program.ShownText(lblMinRestantes), "00:00:00");
  EXPECT_EQ(program.Text(lblMinRestantes), "") << "a destroyed window reads blank";
  ASSERT_EQ(program.system().CallsNamed("ExitWindowsEx").size(), 1U);
}

TEST_F(Countdown, WarnsInTheLast30SecondsWithABlinkingColour) {
  StartMinutes("1");
  ASSERT_TRUE(program.Tick(28));  // 32 left
  EXPECT_EQ(program.Text(lblAtencion), "CONTANDO");
  EXPECT_EQ(program.ui().ForeColour(lblAtencion), kBlack);
  ASSERT_TRUE(program.Tick());  // 31
  EXPECT_EQ(program.Text(lblAtencion), "CONTANDO");
  ASSERT_TRUE(program.Tick());  // 30
  EXPECT_EQ(program.Text(lblAtencion), "ATENCIÓN!");
  EXPECT_EQ(program.ui().ForeColour(lblAtencion), kDarkRed);
  ASSERT_TRUE(program.Tick());  // 29
  EXPECT_EQ(program.ui().ForeColour(lblAtencion), kBlack);
  ASSERT_TRUE(program.Tick());  // 28
  EXPECT_EQ(program.ui().ForeColour(lblAtencion), kDarkRed);
}

TEST_F(Countdown, ZeroMinutesIsAThirtySecondWarningFromTheStart) {
  StartMinutes("0");
  EXPECT_EQ(program.principal().SegundosRestantes(), 30);
  EXPECT_EQ(program.Text(lblMinRestantes), "00:00:30");
  EXPECT_EQ(program.Text(lblAtencion), "ATENCIÓN!");
  // From the design colour the first refresh goes to black, then blinks.
  EXPECT_EQ(program.ui().ForeColour(lblAtencion), kBlack);
  ASSERT_TRUE(program.Tick());
  EXPECT_EQ(program.ui().ForeColour(lblAtencion), kDarkRed);
}

}  // namespace
}  // namespace nocturo

namespace nocturo {
namespace {

using enum ControlId;
using testing::Program;

class CountdownControls : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(program.Start("/S")); }
  void StartMinutes(std::string_view minutes) {
    ASSERT_TRUE(program.ui().ReplaceText(txtDentroDe, minutes));
    ASSERT_TRUE(program.Click(btnEmpezar));
  }
  const std::string& Tooltip() { return program.system().shownTooltip; }
  Program program;
};

TEST_F(CountdownControls, CountingLocksTheInputsAndStoppingFreesThem) {
  EXPECT_FALSE(program.ui().Enabled(btnDetener));
  StartMinutes("5");
  EXPECT_FALSE(program.ui().Enabled(btnEmpezar));
  EXPECT_TRUE(program.ui().Enabled(btnDetener));
  EXPECT_FALSE(program.ui().Usable(txtDentroDe));
  EXPECT_FALSE(program.ui().Usable(optModo2));
  EXPECT_FALSE(program.ui().Click(chkForzado));

  ASSERT_TRUE(program.Click(btnDetener));
  EXPECT_EQ(program.Text(lblAtencion), "DETENIDO");
  EXPECT_EQ(program.Text(btnDetener), "C&ontinuar");
  EXPECT_FALSE(program.ui().TimerEnabled());
  EXPECT_TRUE(program.ui().Usable(txtDentroDe));
  EXPECT_TRUE(program.ui().Usable(btnEmpezar));
  EXPECT_TRUE(program.ui().Enabled(btnDetener));
}

TEST_F(CountdownControls, StoppingKeepsTheCountAndTheDisplayUntilContinued) {
  StartMinutes("5");
  ASSERT_TRUE(program.Tick(10));
  ASSERT_TRUE(program.Click(btnDetener));
  ASSERT_TRUE(program.Tick(100));
  EXPECT_EQ(program.principal().SegundosRestantes(), 290);
  EXPECT_EQ(program.Text(lblMinRestantes), "00:04:50");
  ASSERT_TRUE(program.Click(btnDetener));
  EXPECT_EQ(program.Text(btnDetener), "&Detener");
  EXPECT_EQ(program.Text(lblAtencion), "CONTANDO");
  ASSERT_TRUE(program.Tick());
  EXPECT_EQ(program.principal().SegundosRestantes(), 289);
}

TEST_F(CountdownControls, StoppingInTheWarningKeepsTheLastColour) {
  StartMinutes("0");
  ASSERT_TRUE(program.Tick());  // 29: dark red
  const Colour colour = program.ui().ForeColour(lblAtencion);
  ASSERT_TRUE(program.Click(btnDetener));
  EXPECT_EQ(program.Text(lblAtencion), "DETENIDO");
  EXPECT_EQ(program.ui().ForeColour(lblAtencion), colour);
  EXPECT_EQ(program.Text(lblMinRestantes), "00:00:29");
}

TEST_F(CountdownControls, TheTooltipFollowsTheCountOneRefreshBehind) {
  StartMinutes("60");
  // The first refresh passes the empty design text: the name alone.
  EXPECT_EQ(Tooltip(), "Nocturo");
  ASSERT_TRUE(program.Tick());
  EXPECT_EQ(Tooltip(), "Nocturo - 01:00:00");
  EXPECT_EQ(program.Text(lblMinRestantes), "00:59:59");
  ASSERT_TRUE(program.Tick());
  EXPECT_EQ(Tooltip(), "Nocturo - 00:59:59");

  ASSERT_TRUE(program.Click(btnDetener));
  EXPECT_EQ(Tooltip(), "Nocturo");
  ASSERT_TRUE(program.Click(btnDetener));
  EXPECT_EQ(Tooltip(), "Nocturo - 00:59:58");
}

TEST_F(CountdownControls, EveryTickUpdatesTheTooltipOnce) {
  StartMinutes("1");
  const auto modifies = [&] {
    std::size_t count = 0;
    for (const auto* call : program.system().CallsNamed("Shell_NotifyIconA")) {
      count += call->args[0] == 1 ? 1 : 0;
    }
    return count;
  };
  const std::size_t before = modifies();
  ASSERT_TRUE(program.Tick(10));
  EXPECT_EQ(modifies() - before, 10U);
}

TEST_F(CountdownControls, HidingTheWindowDoesNotStopTheCount) {
  StartMinutes("1");
  ASSERT_TRUE(program.Click(btnSalir));
  EXPECT_FALSE(program.ui().IsVisible(WindowId::Principal));
  EXPECT_FALSE(program.Tick(60));
  EXPECT_EQ(program.system().CallsNamed("ExitWindowsEx").size(), 1U);
}

TEST_F(CountdownControls, TheTickThatReachesZeroStopsTheTimerAndActsOnce) {
  StartMinutes("0");
  EXPECT_FALSE(program.Tick(29 + 1));
  EXPECT_FALSE(program.ui().TimerEnabled());
  EXPECT_EQ(program.machine.ticks, 30);
  EXPECT_EQ(program.system().CallsNamed("ExitWindowsEx").size(), 1U);
  EXPECT_FALSE(program.Tick(5));
  EXPECT_EQ(program.system().CallsNamed("ExitWindowsEx").size(), 1U);
}

TEST_F(CountdownControls, StopAndContinueManyTimesNeverChangesTheCount) {
  StartMinutes("2");
  for (int i = 0; i < 50; ++i) {
    ASSERT_TRUE(program.Click(btnDetener));
    ASSERT_TRUE(program.Click(btnDetener));
  }
  EXPECT_EQ(program.principal().SegundosRestantes(), 120);
}

TEST_F(CountdownControls, TheCloseBoxHidesTheWindowAndCountingGoesOn) {
  StartMinutes("1");
  program.ui().PressCloseBox(WindowId::Principal);
  EXPECT_FALSE(program.ui().IsVisible(WindowId::Principal));
  EXPECT_TRUE(program.ui().Exists(WindowId::Principal));
  EXPECT_TRUE(program.ui().TimerEnabled());
}

}  // namespace
}  // namespace nocturo
