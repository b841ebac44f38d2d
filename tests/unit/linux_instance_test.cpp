#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <string>

#include "platform/linux/private_place.hpp"
#include "platform/linux/tray_reach.hpp"

namespace nocturo::linux_desktop {

// Named in a failure's message.
void PrintTo(TrayReach::Step step, std::ostream* out) {
  constexpr std::array<const char*, 4> kNames{"None", "StartGrace", "WindowStandsIn",
                                              "IconStandsIn"};
  *out << kNames.at(static_cast<std::size_t>(step));
}

void PrintTo(MenuParent parent, std::ostream* out) {
  constexpr std::array<const char*, 3> kNames{"MenuWindow", "FocusedWindow", "None"};
  *out << kNames.at(static_cast<std::size_t>(parent));
}

namespace {

namespace fs = std::filesystem;

const uid_t kMe = ::getuid();

TEST(LinuxPrivatePlace, OnlyTheUsersOwnClosedDirectoryIsPrivate) {
  EXPECT_TRUE(IsPrivatePlace({.directory = true, .owner = kMe, .mode = 0700}, kMe));
  EXPECT_FALSE(IsPrivatePlace({.directory = false, .owner = kMe, .mode = 0700}, kMe))
      << "a link or a file";
  EXPECT_FALSE(IsPrivatePlace({.directory = true, .owner = kMe + 1, .mode = 0700}, kMe))
      << "another user's";
  EXPECT_FALSE(IsPrivatePlace({.directory = true, .owner = kMe, .mode = 0750}, kMe))
      << "open to the group";
  EXPECT_FALSE(IsPrivatePlace({.directory = true, .owner = kMe, .mode = 01777}, kMe))
      << "shared like /tmp";
}

// A throwaway stand-in for / with its run/user and tmp.
class LinuxPrivatePlaceOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "nocturo-place.XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    fs::create_directories(Run());
    fs::create_directories(Tmp());
  }
  void TearDown() override { fs::remove_all(root_); }

  std::string Run() const { return (root_ / "run-user").string(); }
  std::string Tmp() const { return (root_ / "tmp").string(); }
  std::string RunOfMine() const { return Run() + "/" + std::to_string(kMe); }
  std::string TmpOfMine() const { return Tmp() + "/nocturo-" + std::to_string(kMe); }
  std::optional<std::string> Found() const { return FindPrivatePlace(kMe, Run(), Tmp()); }

  fs::path root_;
};

TEST_F(LinuxPrivatePlaceOnDisk, TheUsersRuntimeDirectoryComesFirst) {
  ASSERT_EQ(::mkdir(RunOfMine().c_str(), 0700), 0);
  EXPECT_EQ(Found(), RunOfMine());
  EXPECT_FALSE(fs::exists(TmpOfMine())) << "nothing is made in the shared directory";
}

TEST_F(LinuxPrivatePlaceOnDisk, WithoutARuntimeDirectoryOneIsMadeClosedInTmp) {
  EXPECT_EQ(Found(), TmpOfMine());
  struct stat facts {};
  ASSERT_EQ(::lstat(TmpOfMine().c_str(), &facts), 0);
  EXPECT_EQ(facts.st_mode & 07777, 0700U);
  EXPECT_EQ(Found(), TmpOfMine()) << "the second start finds the first one's";
}

TEST_F(LinuxPrivatePlaceOnDisk, AnOpenRuntimeDirectoryIsPassedOver) {
  ASSERT_EQ(::mkdir(RunOfMine().c_str(), 0700), 0);
  ASSERT_EQ(::chmod(RunOfMine().c_str(), 0755), 0);
  EXPECT_EQ(Found(), TmpOfMine());
}

TEST_F(LinuxPrivatePlaceOnDisk, ALinkInTmpIsNeverFollowed) {
  ASSERT_EQ(::mkdir((root_ / "elsewhere").c_str(), 0700), 0);
  fs::create_directory_symlink(root_ / "elsewhere", TmpOfMine());
  EXPECT_EQ(Found(), std::nullopt);
}

TEST_F(LinuxPrivatePlaceOnDisk, ADirectoryInTmpOpenToOthersIsRefused) {
  ASSERT_EQ(::mkdir(TmpOfMine().c_str(), 0700), 0);
  ASSERT_EQ(::chmod(TmpOfMine().c_str(), 0777), 0);
  EXPECT_EQ(Found(), std::nullopt);
}

using Step = TrayReach::Step;

TEST(LinuxTrayReach, NoTrayAtStartGetsTheGracePeriodThenTheWindow) {
  TrayReach reach;
  EXPECT_EQ(reach.IconRefused(), Step::StartGrace);
  EXPECT_EQ(reach.IconRefused(), Step::None) << "refused again while waiting";
  EXPECT_EQ(reach.GraceOver(), Step::WindowStandsIn);
  EXPECT_TRUE(reach.WindowStandsInNow());
  EXPECT_EQ(reach.IconRefused(), Step::None);
  EXPECT_EQ(reach.IconShown(), Step::IconStandsIn) << "a tray that comes at last";
  EXPECT_FALSE(reach.WindowStandsInNow());
}

TEST(LinuxTrayReach, ATrayBackWithinTheGraceChangesNothing) {
  TrayReach reach;
  EXPECT_EQ(reach.IconShown(), Step::None);
  EXPECT_EQ(reach.TrayLost(), Step::StartGrace);
  EXPECT_FALSE(reach.IconShownNow());
  EXPECT_EQ(reach.IconShown(), Step::None);
  EXPECT_EQ(reach.GraceOver(), Step::None) << "the period ran out after the tray came back";
  EXPECT_FALSE(reach.WindowStandsInNow());
}

TEST(LinuxTrayReach, ATrayGoneForGoodLeavesTheWindow) {
  TrayReach reach;
  reach.IconShown();
  EXPECT_EQ(reach.TrayLost(), Step::StartGrace);
  EXPECT_EQ(reach.IconRefused(), Step::None) << "a new watcher without its host yet";
  EXPECT_EQ(reach.GraceOver(), Step::WindowStandsIn);
}

TEST(LinuxTrayReach, LosingATrayThatShowedNothingStartsNoWait) {
  TrayReach reach;
  EXPECT_EQ(reach.TrayLost(), Step::None);
  EXPECT_EQ(reach.GraceOver(), Step::None);
}

TEST(LinuxTrayMenu, OnX11TheMenuPopsUpAtThePointerWithNoWindowShown) {
  EXPECT_EQ(PopupMenuParent(true, false), MenuParent::MenuWindow);
  EXPECT_EQ(PopupMenuParent(true, true), MenuParent::MenuWindow);
}

TEST(LinuxTrayMenu, OnWaylandOnlyAFocusedWindowOfTheProgramHoldsThePopup) {
  EXPECT_EQ(PopupMenuParent(false, true), MenuParent::FocusedWindow);
  EXPECT_EQ(PopupMenuParent(false, false), MenuParent::None)
      << "a menu with no parent surface would be a decorated window of its own";
}

TEST(LinuxKnock, ComesBackAsItWent) {
  const Knock knock{.show = true, .token = "kwin-123_TIME456"};
  EXPECT_EQ(EncodeKnock(knock), "S kwin-123_TIME456\n");
  EXPECT_EQ(DecodeKnock("S kwin-123_TIME456"), knock);
  EXPECT_EQ(DecodeKnock("-"), (Knock{.show = false, .token = {}}));
}

TEST(LinuxKnock, ATokenThatIsNoWordIsLeftOut) {
  EXPECT_EQ(EncodeKnock({.show = false, .token = "two words\nS"}), "-\n");
  EXPECT_EQ(EncodeKnock({.show = true, .token = std::string(300, 'x')}), "S\n");
}

TEST(LinuxKnock, AnythingElseIsNoKnock) {
  for (const char* line : {"", "X", "S ", "Sx", "- a b", "S \x01"}) {
    EXPECT_EQ(DecodeKnock(line), std::nullopt) << '"' << line << '"';
  }
}

TEST(LinuxKnock, TheWindowComesForwardWhenAskedOrWithoutAnIcon) {
  EXPECT_TRUE(ComesForward({.show = true, .token = {}}, true));
  EXPECT_TRUE(ComesForward({.show = false, .token = {}}, false));
  EXPECT_FALSE(ComesForward({.show = false, .token = {}}, true)) << "a scheduled start stays quiet";
}

}  // namespace
}  // namespace nocturo::linux_desktop
