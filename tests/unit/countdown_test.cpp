#include <gtest/gtest.h>

#include "scheduler/countdown_text.hpp"
#include "sim_fixture.hpp"

namespace nocturo {
namespace {

using enum ControlId;
using testing::Program;

TEST(RemainingTimeText, ShowsHoursMinutesSecondsWithTwoDigitsEach) {
  EXPECT_EQ(TextoTiempoRestante(0), "00:00:00");
  EXPECT_EQ(TextoTiempoRestante(59), "00:00:59");
  EXPECT_EQ(TextoTiempoRestante(60), "00:01:00");
  EXPECT_EQ(TextoTiempoRestante(3599), "00:59:59");
  EXPECT_EQ(TextoTiempoRestante(3725), "01:02:05");
  EXPECT_EQ(TextoTiempoRestante(86399), "23:59:59");
}

TEST(RemainingTimeText, DoesNotReduceHoursToADay) {
  EXPECT_EQ(TextoTiempoRestante(86400), "24:00:00");
  EXPECT_EQ(TextoTiempoRestante(360000), "100:00:00");
  EXPECT_EQ(TextoTiempoRestante(2147483647), "596523:14:07");
}

TEST(RemainingTimeText, ShowsNegativePartsWithASign) {
  EXPECT_EQ(TextoTiempoRestante(-1), "00:00:-01");
  EXPECT_EQ(TextoTiempoRestante(-3661), "-01:-01:-01");
  EXPECT_NO_THROW(TextoTiempoRestante(INT32_MIN));
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
  EXPECT_EQ(program.Text(lblMinRestantes), "00:00:00");
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
