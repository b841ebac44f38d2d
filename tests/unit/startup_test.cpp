#include <gtest/gtest.h>

#include "app/os_version.hpp"
#include "app/shutdown_privilege.hpp"
#include "sim_fixture.hpp"

namespace nocturo {
namespace {

using enum ControlId;
using testing::Program;

TEST(OsVersionRecord, HoldsItsSizeZeroNumbersAndBlankServicePack) {
  const OsVersionRecord record = BuildOsVersionRecord();
  EXPECT_EQ(record[0], 148);
  for (std::size_t i = 1; i < 20; ++i) {
    EXPECT_EQ(record[i], 0) << i;
  }
  for (std::size_t i = 20; i < 148; ++i) {
    EXPECT_EQ(record[i], ' ') << i;
  }
}

TEST(SystemName, NamesTheSystemsItKnowsByTheFirstMatchingRow) {
  struct Row {
    std::uint32_t platform, major, minor;
    std::string_view name;
  };
  for (const Row& row : std::initializer_list<Row>{
           {1, 4, 0, "Windows 95"},
           {1, 4, 10, "Windows 98"},
           {1, 7, 10, "Windows 98"},  // the major version is not looked at
           {1, 4, 90, ""},
           {2, 3, 51, "Windows NT 3.51"},
           {2, 3, 10, "Windows NT 3.51"},
           {2, 4, 0, "Windows NT 4.0"},
           {2, 5, 0, "Windows 2000"},
           {2, 5, 1, "Windows 2000"},
           {2, 6, 1, ""},
           {2, 10, 0, ""},
           {0, 5, 0, ""},
           {3, 5, 0, ""},
       }) {
    EXPECT_EQ(SistemaOperativo(OsVersion{row.platform, row.major, row.minor}), row.name)
        << row.platform << " " << row.major << "." << row.minor;
  }
}

TEST(PrivilegeRecord, EnablesOneEntryWithTheLuid) {
  const TokenPrivilegesRecord record =
      BuildEnablePrivilegeRecord({0x13, 0x00, 0x00, 0x00, 0x2A, 0x00, 0x00, 0x01});
  const TokenPrivilegesRecord expected{1, 0, 0, 0, 0x13, 0, 0, 0, 0x2A, 0, 0, 1, 2, 0, 0, 0};
  EXPECT_EQ(record, expected);
}

class StartUp : public ::testing::Test {
 protected:
  void PoseAs(std::uint32_t platform, std::uint32_t major, std::uint32_t minor) {
    program.system().platformId = platform;
    program.system().majorVersion = major;
    program.system().minorVersion = minor;
  }
  bool PrivilegeEnabled() { return !program.system().CallsNamed("AdjustTokenPrivileges").empty(); }
  Program program;
};

TEST_F(StartUp, OnWindows98NamesItAndLeavesTheTokenAlone) {
  PoseAs(1, 4, 10);
  ASSERT_TRUE(program.Start());
  EXPECT_EQ(program.Text(LBsistemaoperativo), "Windows 98");
  EXPECT_FALSE(PrivilegeEnabled());
}

TEST_F(StartUp, OnNt4EnablesTheShutdownPrivilegeWithTheExactArguments) {
  PoseAs(2, 4, 0);
  ASSERT_TRUE(program.Start());
  EXPECT_EQ(program.Text(LBsistemaoperativo), "Windows NT 4.0");
  const auto& system = program.system();
  const auto open = system.CallsNamed("OpenProcessToken");
  ASSERT_EQ(open.size(), 1U);
  EXPECT_EQ(open[0]->args, (std::vector<std::uint32_t>{0xFFFFFFFF, 40}));
  const auto lookup = system.CallsNamed("LookupPrivilegeValueA");
  ASSERT_EQ(lookup.size(), 1U);
  EXPECT_EQ(lookup[0]->text, "|SeShutdownPrivilege");
  const auto adjust = system.CallsNamed("AdjustTokenPrivileges");
  ASSERT_EQ(adjust.size(), 1U);
  EXPECT_EQ(adjust[0]->args[1], 0U);   // only the listed privilege changes
  EXPECT_EQ(adjust[0]->args[2], 16U);  // the previous-state buffer
  const std::vector<std::uint8_t> expected{1, 0, 0, 0, 0x13, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0};
  EXPECT_EQ(adjust[0]->bytes, expected);
  EXPECT_EQ(system.openHandles(), 0) << "the token is closed again";
}

TEST_F(StartUp, OnXpTheNameIsWindows2000) {
  PoseAs(2, 5, 1);
  ASSERT_TRUE(program.Start());
  EXPECT_EQ(program.Text(LBsistemaoperativo), "Windows 2000");
  EXPECT_TRUE(PrivilegeEnabled());
}

TEST_F(StartUp, OnNewerNtSystemsTheLabelIsEmptyButThePrivilegeIsEnabled) {
  PoseAs(2, 10, 0);
  ASSERT_TRUE(program.Start());
  EXPECT_EQ(program.Text(LBsistemaoperativo), "");
  EXPECT_TRUE(PrivilegeEnabled());
}

TEST_F(StartUp, WhenTheVersionCannotBeReadTheNameIsEmpty) {
  program.system().versionCallFails = true;
  ASSERT_TRUE(program.Start());
  EXPECT_EQ(program.Text(LBsistemaoperativo), "");
  EXPECT_FALSE(PrivilegeEnabled());
}

TEST_F(StartUp, RunsItsStepsInOrderAndShowsOnlyTheIcon) {
  ASSERT_TRUE(program.Start());
  const std::vector<std::string> expected{"GetVersionExA",
                                          "GetCurrentProcess",
                                          "OpenProcessToken 4294967295 40",
                                          "LookupPrivilegeValueA",
                                          "AdjustTokenPrivileges 256 0 16",
                                          "CloseHandle 256",
                                          "Create FrAcercaDe",
                                          "PreviousInstanceRunning",
                                          "Create FrPrincipal",
                                          "Shell_NotifyIconA 0"};
  EXPECT_EQ(program.machine.journal.entries, expected);
  EXPECT_FALSE(program.ui().IsVisible(WindowId::Principal));
  EXPECT_FALSE(program.ui().IsVisible(WindowId::AcercaDe));
  EXPECT_EQ(program.system().shownTooltip, "Nocturo");
  EXPECT_EQ(program.system().icons.size(), 1U);
}

TEST_F(StartUp, ASecondCopyEndsSilentlyBeforeItsMainWindowExists) {
  program.system().anotherInstance = true;
  EXPECT_FALSE(program.Start("/S /I /E"));
  EXPECT_FALSE(program.ui().Exists(WindowId::Principal));
  EXPECT_TRUE(program.system().CallsNamed("Shell_NotifyIconA").empty());
  EXPECT_TRUE(program.system().CallsNamed("ExitWindowsEx").empty());
  EXPECT_EQ(program.machine.settings.writes, 0);
}

TEST_F(StartUp, TheIconAddedAfterAStartFromTheCommandLineSaysNocturo) {
  ASSERT_TRUE(program.Start("/D005 /E"));
  EXPECT_EQ(program.system().shownTooltip, "Nocturo");
  ASSERT_TRUE(program.Tick());
  EXPECT_EQ(program.system().shownTooltip, "Nocturo - 00:05:00");
}

TEST_F(StartUp, RunsOnWithoutAnIconWhenTheShellRefusesIt) {
  program.system().shellRefusesIcons = true;
  ASSERT_TRUE(program.Start("/D001 /E"));
  EXPECT_TRUE(program.Tick(30));
  EXPECT_FALSE(program.Tick(30));
  EXPECT_EQ(program.system().CallsNamed("ExitWindowsEx").size(), 1U);
}

}  // namespace
}  // namespace nocturo
