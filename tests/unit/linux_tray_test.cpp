#include <gtest/gtest.h>

#include "common/little_endian.hpp"
#include "platform/linux/notify_icon_data.hpp"
#include "platform/linux/notify_icon_table.hpp"
#include "platform/linux/window_handles.hpp"
#include "tray/notify_icon_record.hpp"

namespace nocturo::linux_desktop {
namespace {

const std::uint32_t kAbout = HandleOf(WindowId::AcercaDe);

NotifyIconData Decoded(const NotifyIconRecord& record) {
  const auto data = DecodeNotifyIcon(record);
  EXPECT_TRUE(data.has_value());
  return data.value_or(NotifyIconData{});
}

TEST(LinuxNotifyIconRecord, DecodesTheFieldsTheProgramWrites) {
  const NotifyIconData data =
      Decoded(BuildNotifyIconRecord(kAbout, kWindowIconHandle, "Nocturo - 01:02:03"));
  EXPECT_EQ(data.window, kAbout);
  EXPECT_EQ(data.id, 1U);
  EXPECT_EQ(data.flags, 7U);
  EXPECT_EQ(data.callbackMessage, 512U);
  EXPECT_EQ(data.icon, kWindowIconHandle);
  EXPECT_EQ(data.tooltip, "Nocturo - 01:02:03");
}

TEST(LinuxNotifyIconRecord, TheTooltipComesBackFromCodePage1252) {
  EXPECT_EQ(Decoded(BuildNotifyIconRecord(kAbout, 0, "ATENCIÓN €")).tooltip, "ATENCIÓN €");
}

TEST(LinuxNotifyIconRecord, ATooltipWithoutItsNulEndsWithTheField) {
  NotifyIconRecord record = BuildNotifyIconRecord(kAbout, 0, "");
  std::fill(record.begin() + 24, record.end(), std::uint8_t{'x'});
  EXPECT_EQ(Decoded(record).tooltip, std::string(64, 'x'));
}

TEST(LinuxNotifyIconRecord, ARecordOfAnotherSizeIsNotRead) {
  NotifyIconRecord record = BuildNotifyIconRecord(kAbout, 0, "Nocturo");
  PutU32(record, 0, 504);
  EXPECT_FALSE(DecodeNotifyIcon(record).has_value());
}

class LinuxTrayRules : public ::testing::Test {
 protected:
  IconChange Add(const std::string& tip = "Nocturo", bool trayAvailable = true) {
    return table.Apply(kNimAdd, Decoded(BuildNotifyIconRecord(kAbout, kWindowIconHandle, tip)),
                       trayAvailable);
  }
  IconChange Modify(const std::string& tip) {
    return table.Apply(kNimModify, Decoded(BuildNotifyIconRecord(kAbout, kWindowIconHandle, tip)),
                       true);
  }
  IconChange Delete() {
    return table.Apply(kNimDelete, Decoded(BuildNotifyIconDeleteRecord(kAbout)), true);
  }
  const IconState* Icon() const { return table.Find({kAbout, 1}); }

  NotifyIconTable table;
};

TEST_F(LinuxTrayRules, AddModifyDeleteFollowTheShell) {
  EXPECT_EQ(Add(), IconChange::Added);
  ASSERT_NE(Icon(), nullptr);
  EXPECT_EQ(Icon()->tooltip, "Nocturo");
  EXPECT_EQ(Icon()->callbackMessage, 512U);
  EXPECT_EQ(Modify("Nocturo - 00:00:05"), IconChange::Modified);
  EXPECT_EQ(Icon()->tooltip, "Nocturo - 00:00:05");
  EXPECT_EQ(Delete(), IconChange::Deleted);
  EXPECT_EQ(Icon(), nullptr);
}

TEST_F(LinuxTrayRules, AnIconIsAddedOnce) {
  EXPECT_EQ(Add(), IconChange::Added);
  EXPECT_EQ(Add("Nocturo - 00:00:01"), IconChange::Refused);
  EXPECT_EQ(Icon()->tooltip, "Nocturo");
}

TEST_F(LinuxTrayRules, AnAbsentIconCannotBeChangedOrRemoved) {
  EXPECT_EQ(Modify("Nocturo - 00:00:05"), IconChange::Refused);
  EXPECT_EQ(Delete(), IconChange::Refused);
  EXPECT_TRUE(table.Icons().empty());
}

TEST_F(LinuxTrayRules, WithoutATrayTheAddIsRefusedAndLaterChangesFindNothing) {
  EXPECT_EQ(Add("Nocturo", false), IconChange::Refused);
  EXPECT_EQ(Modify("Nocturo - 00:00:05"), IconChange::Refused);
  EXPECT_EQ(Icon(), nullptr);
}

TEST_F(LinuxTrayRules, AWindowThatIsNotOursIsRefused) {
  const NotifyIconData foreign =
      Decoded(BuildNotifyIconRecord(0x00010020, kWindowIconHandle, "Nocturo"));
  EXPECT_EQ(table.Apply(kNimAdd, foreign, true), IconChange::Refused);
  EXPECT_TRUE(table.Icons().empty());
}

TEST_F(LinuxTrayRules, AnIconHandleThatIsNotOursIsRefused) {
  EXPECT_EQ(Add(), IconChange::Added);
  const NotifyIconData other = Decoded(BuildNotifyIconRecord(kAbout, 0x1234, "Nocturo - x"));
  EXPECT_EQ(table.Apply(kNimModify, other, true), IconChange::Refused);
  EXPECT_EQ(Icon()->tooltip, "Nocturo");
}

TEST_F(LinuxTrayRules, OnlyTheFieldsTheFlagsNameAreTaken) {
  EXPECT_EQ(Add(), IconChange::Added);
  NotifyIconData tipOnly = Decoded(BuildNotifyIconRecord(kAbout, 0x1234, "Nocturo - 00:00:09"));
  tipOnly.flags = kNifTip;
  tipOnly.callbackMessage = 0;
  EXPECT_EQ(table.Apply(kNimModify, tipOnly, true), IconChange::Modified);
  EXPECT_EQ(Icon()->tooltip, "Nocturo - 00:00:09");
  EXPECT_EQ(Icon()->icon, kWindowIconHandle);
  EXPECT_EQ(Icon()->callbackMessage, 512U);
  NotifyIconData iconOnly = Decoded(BuildNotifyIconRecord(kAbout, kWindowIconHandle, "x"));
  iconOnly.flags = kNifIcon;
  EXPECT_EQ(table.Apply(kNimModify, iconOnly, true), IconChange::Modified);
  EXPECT_EQ(Icon()->tooltip, "Nocturo - 00:00:09");
}

TEST_F(LinuxTrayRules, AfterTheTrayWentAwayTheIconCanBeAddedAgain) {
  EXPECT_EQ(Add(), IconChange::Added);
  table.Clear();
  EXPECT_EQ(Add("Nocturo - 00:10:00"), IconChange::Added);
  EXPECT_EQ(Icon()->tooltip, "Nocturo - 00:10:00");
}

TEST_F(LinuxTrayRules, AnUnknownOperationIsRefused) {
  EXPECT_EQ(Add(), IconChange::Added);
  EXPECT_EQ(table.Apply(3, Decoded(BuildNotifyIconDeleteRecord(kAbout)), true),
            IconChange::Refused);
  EXPECT_NE(Icon(), nullptr);
}

}  // namespace
}  // namespace nocturo::linux_desktop
