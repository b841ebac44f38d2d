#include <gtest/gtest.h>

#include "common/little_endian.hpp"
#include "sim_fixture.hpp"
#include "tray/notify_icon_record.hpp"

namespace nocturo {
namespace {

using enum ControlId;
using testing::Program;

std::string TipField(const NotifyIconRecord& record) {
  return {record.begin() + 24, record.end()};
}

TEST(NotifyIconRecord, AddAndUpdateCarryEveryFieldLittleEndian) {
  const NotifyIconRecord record = BuildNotifyIconRecord(0x00010020, 0x00020030, "Nocturo");
  EXPECT_EQ(GetU32(record, 0), 88U);
  EXPECT_EQ(GetU32(record, 4), 0x00010020U);
  EXPECT_EQ(GetU32(record, 8), 1U);
  EXPECT_EQ(GetU32(record, 12), 7U);
  EXPECT_EQ(GetU32(record, 16), 512U);
  EXPECT_EQ(GetU32(record, 20), 0x00020030U);
  EXPECT_EQ(TipField(record), std::string("Nocturo") + '\0' + std::string(56, ' '));
}

TEST(NotifyIconRecord, DeleteIsZeroBeyondSizeWindowAndId) {
  const NotifyIconRecord record = BuildNotifyIconDeleteRecord(0x1234);
  NotifyIconRecord expected{};
  expected[0] = 88;
  expected[4] = 0x34;
  expected[5] = 0x12;
  expected[8] = 1;
  EXPECT_EQ(record, expected);
}

TEST(NotifyIconRecord, TooltipsFollowTheCount) {
  EXPECT_EQ(TooltipFor(""), "Nocturo");
  EXPECT_EQ(TooltipFor("00:00:05"), "Nocturo - 00:00:05");
}

TEST(NotifyIconRecord, ALongTooltipIsCutAt63CharactersAndNeverOverflows) {
  const std::string tip(200, 'x');
  const NotifyIconRecord record = BuildNotifyIconRecord(1, 2, tip);
  EXPECT_EQ(TipField(record), std::string(63, 'x') + '\0');
  const NotifyIconRecord exact = BuildNotifyIconRecord(1, 2, std::string(63, 'y'));
  EXPECT_EQ(TipField(exact), std::string(63, 'y') + '\0');
  const NotifyIconRecord shorter = BuildNotifyIconRecord(1, 2, std::string(62, 'z'));
  EXPECT_EQ(TipField(shorter), std::string(62, 'z') + '\0' + ' ');
}

TEST(NotifyIconRecord, TheTooltipIsInCodePage1252) {
  const NotifyIconRecord record = BuildNotifyIconRecord(1, 2, "ATENCIÓN €");
  EXPECT_EQ(TipField(record).substr(0, 11), "ATENCI\xd3N \x80" + std::string(1, '\0'));
}

class TrayNotifications : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(program.Start()); }
  Program program;
};

TEST_F(TrayNotifications, ADoubleClickShowsAndActivatesTheMainWindow) {
  program.ui().PostTrayNotification(515);
  EXPECT_TRUE(program.ui().IsVisible(WindowId::Principal));
  program.ui().Show(WindowId::AcercaDe);
  program.ui().PostTrayNotification(515);
  EXPECT_TRUE(program.ui().activated(WindowId::Principal));
  EXPECT_EQ(program.app.trayCallback().Mensaje(), 515);
  EXPECT_FALSE(program.app.trayCallback().Ocupado());
}

TEST_F(TrayNotifications, OnlyTheRightButtonsReleaseOpensTheMenu) {
  for (int message : {512, 513, 514, 516, 518, 519, 0, -1, 70000}) {
    program.ui().PostTrayNotification(message);
  }
  EXPECT_EQ(program.ui().menusOpened(), 0);
  EXPECT_FALSE(program.ui().IsVisible(WindowId::Principal));
  program.ui().PostTrayNotification(517);
  EXPECT_EQ(program.ui().menusOpened(), 1);
}

TEST_F(TrayNotifications, DecodesAtOtherTwipsPerPixel) {
  program.ui().SetScreen(
      {.width = 15360, .height = 11520, .twipsPerPixelX = 12, .twipsPerPixelY = 12});
  program.ui().PostTrayNotification(517);
  EXPECT_EQ(program.ui().menusOpened(), 1);
  program.app.OnMouseMove(WindowId::AcercaDe, 515 * 7.5F, 0, false);
  EXPECT_EQ(program.app.trayCallback().Mensaje(), 322);  // 321.875 at 12 twips per pixel
}

TEST_F(TrayNotifications, NotificationsWhileTheMenuIsOpenAreTurnedAway) {
  program.ui().SetWhileMenuOpen([&] {
    EXPECT_TRUE(program.app.trayCallback().Ocupado());
    program.ui().PostTrayNotification(517);
    program.ui().PostTrayNotification(515);
  });
  program.ui().PostTrayNotification(517);
  EXPECT_EQ(program.ui().menusOpened(), 1) << "a release while the menu was open opened another";
  EXPECT_FALSE(program.ui().IsVisible(WindowId::Principal))
      << "a double-click while the menu was open showed the main window";
  EXPECT_EQ(program.app.trayCallback().Mensaje(), 515);
  EXPECT_FALSE(program.app.trayCallback().Ocupado());
}

TEST_F(TrayNotifications, PointerMovementOverTheAboutWindowIsNotANotification) {
  program.ui().Show(WindowId::AcercaDe);
  program.ui().MovePointerOverAbout(517 * 15.0F, 300);
  program.ui().MovePointerOverAbout(515 * 15.0F, 300);
  EXPECT_EQ(program.ui().menusOpened(), 0);
  EXPECT_FALSE(program.ui().IsVisible(WindowId::Principal));
}

TEST_F(TrayNotifications, MenuItemsShowAndRepaintTheirWindows) {
  program.ui().SetMenuChoice(1);
  program.ui().PostTrayNotification(517);
  EXPECT_TRUE(program.ui().IsVisible(WindowId::Principal));
  EXPECT_EQ(program.ui().repaints(WindowId::Principal), 1);
  program.ui().SetMenuChoice(2);
  program.ui().PostTrayNotification(517);
  EXPECT_TRUE(program.ui().IsVisible(WindowId::AcercaDe));
  EXPECT_EQ(program.ui().repaints(WindowId::AcercaDe), 1);
  program.app.OnMenuItem(4);
  program.app.OnMenuItem(0);
  EXPECT_FALSE(program.system().ended);
}

TEST_F(TrayNotifications, CloseOnTheAboutWindowOnlyHidesIt) {
  program.ui().SetMenuChoice(2);
  program.ui().PostTrayNotification(517);
  program.ui().SetMenuChoice(2);
  program.ui().PostTrayNotification(517);  // shown twice in a row
  ASSERT_TRUE(program.Click(cerrarayuda));
  EXPECT_FALSE(program.ui().IsVisible(WindowId::AcercaDe));
  EXPECT_TRUE(program.ui().Exists(WindowId::AcercaDe));
  program.ui().SetMenuChoice(1);
  program.ui().PostTrayNotification(517);
  EXPECT_TRUE(program.ui().IsVisible(WindowId::Principal));
  program.ui().PressCloseBox(WindowId::Principal);
  EXPECT_FALSE(program.ui().IsVisible(WindowId::Principal));
}

TEST_F(TrayNotifications, TheTaskbarsReturnBringsTheIconBackWithItsTooltip) {
  ASSERT_TRUE(program.machine.Run([&] { program.app.OnClick(btnEmpezar); }));
  ASSERT_TRUE(program.Tick(3));
  program.system().icons.clear();  // Explorer restarted
  program.ui().BroadcastTaskbarCreated();
  EXPECT_EQ(program.system().icons.size(), 1U);
  EXPECT_EQ(program.system().shownTooltip, "Nocturo - 00:59:58");
  ASSERT_TRUE(program.Tick());
  EXPECT_EQ(program.system().shownTooltip, "Nocturo - 00:59:57");
}

TEST_F(TrayNotifications, TheIconsPictureIsAlwaysTheMainWindowsIcon) {
  ASSERT_TRUE(program.machine.Run([&] { program.app.OnClick(btnEmpezar); }));
  ASSERT_TRUE(program.Tick(5));
  const std::uint32_t icon = program.ui().Icon(WindowId::Principal);
  for (const auto* call : program.system().CallsNamed("Shell_NotifyIconA")) {
    EXPECT_EQ(GetU32(call->bytes, 20), icon);
  }
}

}  // namespace
}  // namespace nocturo
