#include <gtest/gtest.h>

#include "scheduler/schedule.hpp"
#include "sim_fixture.hpp"

namespace nocturo {
namespace {

using enum ControlId;
using testing::Program;

TEST(SegundosDelDia, CountsFromMidnightPastWhatSixteenBitsHold) {
  EXPECT_EQ(SegundosDelDia({0, 0, 0}), 0);
  EXPECT_EQ(SegundosDelDia({14, 30, 0}), 52200);
  EXPECT_EQ(SegundosDelDia({9, 6, 7}), 32767);
  EXPECT_EQ(SegundosDelDia({9, 6, 8}), 32768);
  EXPECT_EQ(SegundosDelDia({23, 0, 0}), 82800);
  EXPECT_EQ(SegundosDelDia({23, 59, 59}), 86399);
}

TEST(SecondsForMinutes, ZeroMinutesAreThirtySeconds) {
  EXPECT_EQ(SecondsForMinutes(0), 30);
}

TEST(SecondsForMinutes, RoundsHalfToEven) {
  EXPECT_EQ(SecondsForMinutes(1), 60);
  EXPECT_EQ(SecondsForMinutes(1.5), 90);
  EXPECT_EQ(SecondsForMinutes(999), 59940);
  EXPECT_EQ(SecondsForMinutes(0.025), 2);   // 1.5 seconds go to 2
  EXPECT_EQ(SecondsForMinutes(0.0125), 1);  // 0.75 seconds go to 1
  // Exact halves, where half to even and half away from zero part ways.
  EXPECT_EQ(SecondsForMinutes(0.375), 22);  // 22.5 seconds
  EXPECT_EQ(SecondsForMinutes(0.875), 52);  // 52.5 seconds
}

TEST(SecondsForMinutes, RefusesCountsThatCouldNeverAct) {
  EXPECT_EQ(SecondsForMinutes(-5), std::nullopt);
  EXPECT_EQ(SecondsForMinutes(0.001), std::nullopt);   // 0.06 s rounds to nothing
  EXPECT_EQ(SecondsForMinutes(0.0083), std::nullopt);  // 0.498 s
}

TEST(SecondsForMinutes, RefusesCountsTooLargeToHold) {
  EXPECT_EQ(SecondsForMinutes(35791394), 2147483640);
  EXPECT_EQ(SecondsForMinutes(35791395), std::nullopt);
  EXPECT_EQ(SecondsForMinutes(1e9), std::nullopt);
  EXPECT_EQ(SecondsForMinutes(-1e9), std::nullopt);
}

TEST(SecondsUntil, CountsToTheTimeLaterToday) {
  EXPECT_EQ(SecondsUntil({14, 30, 0}, {14, 0, 0}), 1800);
  EXPECT_EQ(SecondsUntil({0, 0, 1}, {0, 0, 0}), 1);
}

TEST(SecondsUntil, APassedTimeIsExactlyThatTimeTomorrow) {
  EXPECT_EQ(SecondsUntil({14, 30, 0}, {15, 0, 0}), 84600);
  EXPECT_EQ(SecondsUntil({0, 0, 0}, {23, 59, 59}), 1);
}

TEST(SecondsUntil, ThePresentSecondIsTomorrow) {
  EXPECT_EQ(SecondsUntil({9, 15, 0}, {9, 15, 0}), 86400);
}

class StartButton : public ::testing::Test {
 protected:
  void SetUp() override {
    program.machine.clock.Set({2026, 12, 7, 14, 0, 0});
    ASSERT_TRUE(program.Start("/S"));
  }
  void Within(std::string_view minutes) {
    ASSERT_TRUE(program.ui().ReplaceText(txtDentroDe, minutes));
  }
  void AtTime(std::string_view digits) { ASSERT_TRUE(program.ui().ReplaceText(txtALas, digits)); }
  // Everything a refused start must leave alone.
  struct Snapshot {
    std::int32_t count;
    bool timer;
    std::string status, display, stopCaption;
    bool stopEnabled;
    friend bool operator==(const Snapshot&, const Snapshot&) = default;
  };
  Snapshot Take() {
    return {program.principal().SegundosRestantes(),
            program.ui().TimerEnabled(),
            program.Text(lblAtencion),
            program.Text(lblMinRestantes),
            program.Text(btnDetener),
            program.ui().Enabled(btnDetener)};
  }
  Program program;
};

TEST_F(StartButton, TypingMinutesSelectsTheWithinMode) {
  ASSERT_TRUE(program.ui().Click(optDesconexion2));
  Within("7");
  EXPECT_EQ(program.ui().Value(optDesconexion1), 1);
  EXPECT_EQ(program.ui().Value(optDesconexion2), 0);
  EXPECT_EQ(program.ui().Value(optModo1), 1);  // the other group is untouched
}

TEST_F(StartButton, EditingTheTimeSelectsTheAtTimeMode) {
  AtTime("1530");
  EXPECT_EQ(program.ui().Value(optDesconexion2), 1);
  EXPECT_EQ(program.ui().Value(optDesconexion1), 0);
  EXPECT_EQ(program.Text(txtALas), "15:30:__");
}

TEST_F(StartButton, ComputesTheWithinCountWithTheRegionalSeparator) {
  program.machine.regional.decimalSeparator = ",";
  Within("1,5");
  ASSERT_TRUE(program.Click(btnEmpezar));
  EXPECT_EQ(program.principal().SegundosRestantes(), 90);
  EXPECT_EQ(program.Text(lblMinRestantes), "00:01:30");
}

TEST_F(StartButton, ReadsAPointAsTheSeparatorOnAnEnglishSystem) {
  program.machine.regional.decimalSeparator = ".";
  Within("1.5");
  ASSERT_TRUE(program.Click(btnEmpezar));
  EXPECT_EQ(program.principal().SegundosRestantes(), 90);
}

TEST_F(StartButton, ShowsTheLargestThreeDigitCount) {
  Within("999");
  ASSERT_TRUE(program.Click(btnEmpezar));
  EXPECT_EQ(program.Text(lblMinRestantes), "16:39:00");
}

TEST_F(StartButton, TheMinutesBoxRefusesAFourthCharacter) {
  Within("1234");
  EXPECT_EQ(program.Text(txtDentroDe), "123");
}

TEST_F(StartButton, RefusesInvalidMinutesAndChangesNothing) {
  for (std::string_view minutes : {"", "abc", "-5", "1e9", "-", ",", "e5", "1 2"}) {
    SCOPED_TRACE(minutes);
    Within(minutes);
    const Snapshot before = Take();
    ASSERT_TRUE(program.Click(btnEmpezar));
    EXPECT_EQ(Take(), before);
  }
}

TEST_F(StartButton, CountsToATimeLaterToday) {
  AtTime("143000");
  ASSERT_TRUE(program.Click(btnEmpezar));
  EXPECT_EQ(program.principal().SegundosRestantes(), 1800);
  EXPECT_EQ(program.Text(lblMinRestantes), "00:30:00");
}

TEST_F(StartButton, CountsToAPassedTimeTomorrow) {
  program.machine.clock.Set({2026, 12, 7, 15, 0, 0});
  AtTime("143000");
  ASSERT_TRUE(program.Click(btnEmpezar));
  EXPECT_EQ(program.principal().SegundosRestantes(), 84600);
}

TEST_F(StartButton, MidnightChosenAtTheDaysLastSecondIsOneSecondAway) {
  program.machine.clock.Set({2026, 12, 7, 23, 59, 59});
  AtTime("000000");
  ASSERT_TRUE(program.Click(btnEmpezar));
  EXPECT_EQ(program.principal().SegundosRestantes(), 1);
  EXPECT_FALSE(program.Tick());
  EXPECT_EQ(program.system().CallsNamed("ExitWindowsEx").size(), 1U);
}

TEST_F(StartButton, RefusesAnIncompleteOrImpossibleTime) {
  for (std::string_view digits : {"2", "223", "25", "2500", "1260"}) {
    SCOPED_TRACE(digits);
    AtTime(digits);
    const Snapshot before = Take();
    ASSERT_TRUE(program.Click(btnEmpezar));
    EXPECT_EQ(Take(), before);
  }
}

TEST_F(StartButton, ContinueInWithinModeResumesWhateverTheBoxSays) {
  Within("10");
  ASSERT_TRUE(program.Click(btnEmpezar));
  ASSERT_TRUE(program.Tick(5));
  ASSERT_TRUE(program.Click(btnDetener));
  Within("1");
  ASSERT_TRUE(program.Click(btnDetener));
  EXPECT_EQ(program.principal().SegundosRestantes(), 595);
}

TEST_F(StartButton, ContinueInAtTimeModeRecomputesFromTheClock) {
  AtTime("150000");
  ASSERT_TRUE(program.Click(btnEmpezar));
  EXPECT_EQ(program.principal().SegundosRestantes(), 3600);
  ASSERT_TRUE(program.Click(btnDetener));
  ASSERT_TRUE(program.Tick(600));  // ten minutes pass while stopped
  ASSERT_TRUE(program.Click(btnDetener));
  EXPECT_EQ(program.principal().SegundosRestantes(), 3000);
  EXPECT_EQ(program.Text(btnDetener), "&Detener");
}

TEST_F(StartButton, ContinueAfterTheTimeHasPassedWrapsToTomorrow) {
  AtTime("141000");
  ASSERT_TRUE(program.Click(btnEmpezar));
  ASSERT_TRUE(program.Click(btnDetener));
  ASSERT_TRUE(program.Tick(20 * 60));  // now 14:20
  ASSERT_TRUE(program.Click(btnDetener));
  EXPECT_EQ(program.principal().SegundosRestantes(), 86400 - 600);
}

TEST_F(StartButton, ContinueWithAnInvalidTimeDoesNothing) {
  AtTime("150000");
  ASSERT_TRUE(program.Click(btnEmpezar));
  ASSERT_TRUE(program.Click(btnDetener));
  ASSERT_TRUE(program.ui().Type(txtALas, "\b\b"));
  const Snapshot before = Take();
  ASSERT_TRUE(program.Click(btnDetener));
  EXPECT_EQ(Take(), before);
  EXPECT_EQ(program.Text(btnDetener), "C&ontinuar");
}

TEST_F(StartButton, APastedTimeIsFilteredByTheMask) {
  ASSERT_EQ(program.Text(txtALas), "15:00:00");  // the proposed time
  ASSERT_TRUE(program.ui().PasteInto(txtALas, "18h45m"));
  EXPECT_EQ(program.Text(txtALas), "18:45:00");
  EXPECT_EQ(program.ui().Value(optDesconexion2), 1);
}

}  // namespace
}  // namespace nocturo
