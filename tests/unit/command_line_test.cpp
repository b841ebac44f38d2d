#include <gtest/gtest.h>

#include "scheduler/command_line.hpp"
#include "sim_fixture.hpp"

namespace nocturo {
namespace {

using enum ControlId;
using testing::Program;

CommandLineOptions Parse(std::string_view text) {
  return ParseCommandLine(text, ",");
}

TEST(CommandLine, NothingAskedForByAnEmptyOrUnrelatedLine) {
  EXPECT_EQ(Parse(""), CommandLineOptions{});
  EXPECT_EQ(Parse("hola mundo"), CommandLineOptions{});
}

TEST(CommandLine, ReadsTheAtTimeAnywhereInAnyCase) {
  EXPECT_EQ(Parse("/A2230").atTime, (TimeOfDay{22, 30, 0}));
  EXPECT_EQ(Parse("/a2230").atTime, (TimeOfDay{22, 30, 0}));
  EXPECT_EQ(Parse("/MA /a2230").atTime, (TimeOfDay{22, 30, 0}));
  EXPECT_EQ(Parse("/A0930").atTime, (TimeOfDay{9, 30, 0}));
}

TEST(CommandLine, CarriesMinutesIntoHoursAndWrapsHours) {
  EXPECT_EQ(Parse("/A1075").atTime, (TimeOfDay{11, 15, 0}));
  EXPECT_EQ(Parse("/A2500").atTime, (TimeOfDay{1, 0, 0}));
  // The minutes carry first, then the hours wrap: 23:75 is 24:15, so 00:15.
  EXPECT_EQ(Parse("/A2375").atTime, (TimeOfDay{0, 15, 0}))
      << "23:75 is 24:15, which wraps to 00:15";
  EXPECT_EQ(Parse("/A9999").atTime, (TimeOfDay{4, 39, 0}));
}

TEST(CommandLine, IgnoresAnAtTimeThatIsShortOrNotANumber) {
  EXPECT_EQ(Parse("/Axx30").atTime, std::nullopt);
  EXPECT_EQ(Parse("/E /A22").atTime, std::nullopt);
  EXPECT_EQ(Parse("/A").atTime, std::nullopt);
  EXPECT_EQ(Parse("/A223").atTime, std::nullopt);
}

TEST(CommandLine, IgnoresAnAtTimeWhoseHalvesAreNotWholeNumbers) {
  EXPECT_EQ(Parse("/A1e10").atTime, std::nullopt);
  EXPECT_EQ(Parse("/A-130").atTime, std::nullopt);
  EXPECT_EQ(Parse("/A,530").atTime, std::nullopt);
  EXPECT_EQ(Parse("/A 930").atTime, (TimeOfDay{9, 30, 0}));  // blanks around a half are fine
}

TEST(CommandLine, OnlyTheFirstAtTimeCounts) {
  EXPECT_EQ(Parse("/Axx /A2230").atTime, std::nullopt);
  EXPECT_EQ(Parse("/A0100 /A2230").atTime, (TimeOfDay{1, 0, 0}));
}

TEST(CommandLine, ReadsMinutesAsAWholeNumber) {
  EXPECT_EQ(Parse("/D090").withinMinutes, 90);
  EXPECT_EQ(Parse("/d005").withinMinutes, 5);
  EXPECT_EQ(Parse("/D05 ").withinMinutes, 5);
  EXPECT_EQ(Parse("/D2,5").withinMinutes, 2);  // half to even
  EXPECT_EQ(Parse("/D3,5").withinMinutes, 4);
  EXPECT_EQ(Parse("/D-99").withinMinutes, -99);
  EXPECT_EQ(Parse("/D1e9").withinMinutes, 1000000000);
}

TEST(CommandLine, IgnoresMinutesThatAreShortOrNotANumber) {
  EXPECT_EQ(Parse("/D5").withinMinutes, std::nullopt);
  EXPECT_EQ(Parse("/D5 /").withinMinutes, std::nullopt);
  EXPECT_EQ(Parse("/Dabc").withinMinutes, std::nullopt);
  EXPECT_EQ(Parse("/D9e9").withinMinutes, std::nullopt);  // does not fit a count
}

TEST(CommandLine, FindsEverySwitchInsideOtherWords) {
  const CommandLineOptions options = Parse("/Info c:\\x/s/ejemplo /mayo /f");
  EXPECT_TRUE(options.immediate);
  EXPECT_TRUE(options.show);
  EXPECT_TRUE(options.start);
  EXPECT_TRUE(options.powerOff);
  EXPECT_TRUE(options.force);
  EXPECT_FALSE(options.restart);
  EXPECT_FALSE(options.logOff);
}

TEST(CommandLine, CountsPositionsInCharactersNotBytes) {
  EXPECT_EQ(Parse("ñ/A2230").atTime, (TimeOfDay{22, 30, 0}));
  EXPECT_EQ(Parse("/A22é0").atTime, std::nullopt);
  EXPECT_EQ(Parse("/D\xff\xfe\xfd").withinMinutes, std::nullopt);
}

TEST(CommandLine, MalformedBytesNeverSpellASwitch) {
  // Overlong encodings of "E" and "/" must not decode to them.
  EXPECT_FALSE(Parse("/\xC1\x85").start);
  EXPECT_FALSE(Parse("\xC0\xAF"
                     "E")
                   .start);
  EXPECT_FALSE(Parse("\xE0\x80\xAF"
                     "I")
                   .immediate);
}

class LoadHandler : public ::testing::Test {
 protected:
  void SetUp() override { program.machine.clock.Set({2026, 12, 7, 23, 40, 10}); }
  Program program;
};

TEST_F(LoadHandler, WithoutSwitchesPreparesAStoppedHiddenWindow) {
  ASSERT_TRUE(program.Start());
  EXPECT_EQ(program.Text(lblAtencion), "DETENIDO");
  EXPECT_EQ(program.ui().Caption(WindowId::Principal), "Nocturo v2.5");
  EXPECT_EQ(program.Text(txtALas), "00:40:10");  // an hour ahead, the date dropped
  EXPECT_FALSE(program.ui().IsVisible(WindowId::Principal));
  EXPECT_FALSE(program.ui().TimerEnabled());
  // Writing the proposed time is the program's own write: the mode stays.
  EXPECT_EQ(program.ui().Value(optDesconexion1), 1);
  EXPECT_EQ(program.Text(txtDentroDe), "60");
}

TEST_F(LoadHandler, TakesTheCaptionFromTheProgramsVersion) {
  program.system().version = {3, 12};
  ASSERT_TRUE(program.Start());
  EXPECT_EQ(program.ui().Caption(WindowId::Principal), "Nocturo v3.12");
}

TEST_F(LoadHandler, AtTimeWritesTheBoxAndSelectsItsMode) {
  ASSERT_TRUE(program.Start("/a2230"));
  EXPECT_EQ(program.Text(txtALas), "22:30:00");
  EXPECT_EQ(program.ui().Value(optDesconexion2), 1);
}

TEST_F(LoadHandler, ABadAtTimeKeepsTheProposedTimeAndTheMode) {
  ASSERT_TRUE(program.Start("/Axx30"));
  EXPECT_EQ(program.Text(txtALas), "00:40:10");
  EXPECT_EQ(program.ui().Value(optDesconexion1), 1);
}

TEST_F(LoadHandler, MinutesAreWrittenAsPlainNumbers) {
  ASSERT_TRUE(program.Start("/D090"));
  EXPECT_EQ(program.Text(txtDentroDe), "90");
  EXPECT_EQ(program.ui().Value(optDesconexion1), 1);
}

TEST_F(LoadHandler, MinutesComeAfterTheAtTimeAndDecideTheMode) {
  ASSERT_TRUE(program.Start("/A2230 /D030"));
  EXPECT_EQ(program.Text(txtALas), "22:30:00");
  EXPECT_EQ(program.Text(txtDentroDe), "30");
  EXPECT_EQ(program.ui().Value(optDesconexion1), 1);
}

TEST_F(LoadHandler, TheLastActionSwitchProcessedWins) {
  ASSERT_TRUE(program.Start("/ML /MA"));
  EXPECT_EQ(program.ui().Value(optModo3), 1) << "/ML is processed after /MA";
  EXPECT_EQ(program.ui().Value(optModo1), 0);
}

TEST_F(LoadHandler, LogOffWinsOverRestartWhateverTheirOrder) {
  ASSERT_TRUE(program.Start("/MR /ML"));
  EXPECT_EQ(program.ui().Value(optModo3), 1) << "/ML is processed after /MR";
  EXPECT_EQ(program.ui().Value(optModo2), 0);
}

TEST_F(LoadHandler, RestartAlone) {
  ASSERT_TRUE(program.Start("/MR"));
  EXPECT_EQ(program.ui().Value(optModo2), 1);
  EXPECT_EQ(program.ui().Value(chkForzado), 0);
}

TEST_F(LoadHandler, StartRunsAfterEveryValueSwitch) {
  ASSERT_TRUE(program.Start("/E /A2230"));
  EXPECT_TRUE(program.ui().TimerEnabled());
  // 23:40:10 to 22:30:00 tomorrow.
  EXPECT_EQ(program.principal().SegundosRestantes(), 86400 - 70 * 60 - 10);
  EXPECT_EQ(program.Text(lblAtencion), "CONTANDO");
}

TEST_F(LoadHandler, StartAloneCountsTheDesignHour) {
  ASSERT_TRUE(program.Start("/E"));
  EXPECT_EQ(program.principal().SegundosRestantes(), 3600);
}

TEST_F(LoadHandler, AStartThatIsRefusedLeavesTheWindowStopped) {
  ASSERT_TRUE(program.Start("/D-10 /E /S"));
  EXPECT_FALSE(program.ui().TimerEnabled());
  EXPECT_EQ(program.Text(lblAtencion), "DETENIDO");
  EXPECT_TRUE(program.ui().IsVisible(WindowId::Principal));
}

TEST_F(LoadHandler, ShowSwitchShowsTheWindowBeforeTheIconIsAdded) {
  ASSERT_TRUE(program.Start("/s"));
  const auto& log = program.machine.journal.entries;
  const auto shown = std::find(log.begin(), log.end(), "Show FrPrincipal");
  const auto added = std::find(log.begin(), log.end(), "Shell_NotifyIconA 0");
  ASSERT_NE(shown, log.end());
  ASSERT_NE(added, log.end());
  EXPECT_LT(shown, added);
}

TEST_F(LoadHandler, ImmediateActionActsAndEndsBeforeAnyIcon) {
  EXPECT_FALSE(program.Start("/F /MA /I"));
  const auto exits = program.system().CallsNamed("ExitWindowsEx");
  ASSERT_EQ(exits.size(), 1U);
  EXPECT_EQ(exits[0]->args, (std::vector<std::uint32_t>{13, 0}));
  EXPECT_TRUE(program.system().icons.empty());
  for (const auto* call : program.system().CallsNamed("Shell_NotifyIconA")) {
    EXPECT_NE(call->args[0], 0U) << "no icon is ever added";
  }
}

TEST_F(LoadHandler, ImmediateActionAfterAStart) {
  EXPECT_FALSE(program.Start("/I /E /MR"));
  EXPECT_EQ(program.system().CallsNamed("ExitWindowsEx")[0]->args[0], 2U);
}

TEST_F(LoadHandler, ALongLineWithStrangeBytesIsHandledInSilence) {
  std::string line(32000, 'x');
  line += "\xc3\x28\xa0\xa1/\xf0\x9f\x98\x80";
  EXPECT_TRUE(program.Start(line));
  EXPECT_EQ(program.Text(lblAtencion), "DETENIDO");
}

}  // namespace
}  // namespace nocturo
