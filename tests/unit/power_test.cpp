#include <gtest/gtest.h>

#include "power/exit_flags.hpp"
#include "sim_fixture.hpp"

namespace nocturo {
namespace {

using enum ControlId;
using testing::Program;

TEST(ExitFlags, MapsEveryActionAndForceCombination) {
  EXPECT_EQ(ExitFlags(true, false, 0), 9U);
  EXPECT_EQ(ExitFlags(true, false, 1), 13U);
  EXPECT_EQ(ExitFlags(false, true, 0), 2U);
  EXPECT_EQ(ExitFlags(false, true, 1), 6U);
  EXPECT_EQ(ExitFlags(false, false, 0), 0U);
  EXPECT_EQ(ExitFlags(false, false, 1), 4U);
}

TEST(ExitFlags, GreyForceIsNoForce) {
  EXPECT_EQ(ExitFlags(true, false, 2), 9U);
  EXPECT_EQ(ExitFlags(false, false, 2), 0U);
}

TEST(ExitFlags, PowerOffWinsWhenTwoItemsClaimToBeSelected) {
  EXPECT_EQ(ExitFlags(true, true, 0), 9U);
}

class PowerActionAtZero : public ::testing::TestWithParam<std::pair<ControlId, int>> {};

TEST_P(PowerActionAtZero, RequestsTheChosenActionWithTheForceBit) {
  const auto [action, force] = GetParam();
  Program program;
  ASSERT_TRUE(program.Start("/S"));
  ASSERT_TRUE(program.Click(action));
  if (force == 1) {
    ASSERT_TRUE(program.Click(chkForzado));
  }
  ASSERT_TRUE(program.ui().ReplaceText(txtDentroDe, "0"));
  ASSERT_TRUE(program.Click(btnEmpezar));
  EXPECT_FALSE(program.Tick(30));
  const auto exits = program.system().CallsNamed("ExitWindowsEx");
  ASSERT_EQ(exits.size(), 1U);
  const std::uint32_t base = action == optModo1 ? 9U : action == optModo2 ? 2U : 0U;
  EXPECT_EQ(exits[0]->args, (std::vector<std::uint32_t>{base | (force == 1 ? 4U : 0U), 0}));
}

INSTANTIATE_TEST_SUITE_P(SixCombinations, PowerActionAtZero,
                         ::testing::Values(std::pair{optModo1, 0}, std::pair{optModo1, 1},
                                           std::pair{optModo2, 0}, std::pair{optModo2, 1},
                                           std::pair{optModo3, 0}, std::pair{optModo3, 1}));

class ProgramEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(program.Start("/S"));
    program.ui().Move(WindowId::Principal, 2880, 1200);
    program.machine.journal.entries.clear();
  }
  Program program;
};

TEST_F(ProgramEnd, APowerActionHidesSavesRequestsSavesAgainClosesAndEnds) {
  ASSERT_TRUE(program.ui().ReplaceText(txtDentroDe, "0"));
  ASSERT_TRUE(program.Click(btnEmpezar));
  ASSERT_TRUE(program.Tick(29));
  program.machine.journal.entries.clear();
  EXPECT_FALSE(program.Tick());
  const std::vector<std::string> expected{
      "Shell_NotifyIconA 1",  // the last refresh's tooltip
      "Hide FrPrincipal",    "Hide FrAcercaDe",     "Write PosX=2880", "Write PosY=1200",
      "ExitWindowsEx 9 0",   "Write PosX=2880",     "Write PosY=1200", "Destroy FrPrincipal",
      "Destroy FrAcercaDe",  "Shell_NotifyIconA 2", "EndProcess"};
  EXPECT_EQ(program.machine.journal.entries, expected);
  EXPECT_TRUE(program.system().icons.empty());
}

TEST_F(ProgramEnd, TheDeleteRecordCarriesOnlyItsSizeWindowAndId) {
  const std::uint32_t about = program.ui().Handle(WindowId::AcercaDe);  // gone after the end
  program.ui().SetMenuChoice(3);
  program.machine.Run([&] { program.ui().PostTrayNotification(517); });
  const auto calls = program.system().CallsNamed("Shell_NotifyIconA");
  ASSERT_FALSE(calls.empty());
  const std::vector<std::uint8_t>& bytes = calls.back()->bytes;
  ASSERT_EQ(bytes.size(), 88U);
  EXPECT_EQ(bytes[0], 88);
  EXPECT_EQ(bytes[4] | bytes[5] << 8 | bytes[6] << 16 | bytes[7] << 24, static_cast<int>(about));
  EXPECT_EQ(bytes[8], 1);
  for (std::size_t i = 12; i < 88; ++i) {
    EXPECT_EQ(bytes[i], 0) << i;
  }
}

TEST_F(ProgramEnd, ExitFromTheMenuSavesOnceAndRequestsNothing) {
  program.ui().SetMenuChoice(3);
  EXPECT_FALSE(program.machine.Run([&] { program.ui().PostTrayNotification(517); }));
  const std::vector<std::string> expected{"Write PosX=2880",     "Write PosY=1200",
                                          "Destroy FrPrincipal", "Destroy FrAcercaDe",
                                          "Shell_NotifyIconA 2", "EndProcess"};
  EXPECT_EQ(program.machine.journal.entries, expected);
}

TEST_F(ProgramEnd, ClosesBothWindowsOnTheWayOut) {
  ASSERT_TRUE(program.ui().ReplaceText(txtDentroDe, "0"));
  ASSERT_TRUE(program.Click(btnEmpezar));
  EXPECT_FALSE(program.Tick(30));
  EXPECT_TRUE(program.system().ended);
  EXPECT_FALSE(program.ui().Exists(WindowId::Principal));
  EXPECT_FALSE(program.ui().Exists(WindowId::AcercaDe));
}

}  // namespace
}  // namespace nocturo
