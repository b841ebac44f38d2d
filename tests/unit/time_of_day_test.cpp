#include "common/time_of_day.hpp"

#include <gtest/gtest.h>

#include <string>

namespace nocturo {
namespace {

// ParseTimeOfDay

TEST(ParseTimeOfDay, ReadsTheMaskedBoxText) {
  EXPECT_EQ(ParseTimeOfDay("22:30:00"), (TimeOfDay{22, 30, 0}));
  EXPECT_EQ(ParseTimeOfDay("00:00:00"), (TimeOfDay{0, 0, 0}));
  EXPECT_EQ(ParseTimeOfDay("23:59:59"), (TimeOfDay{23, 59, 59}));
}

TEST(ParseTimeOfDay, ReadsShortFormsAndBlanksAround) {
  EXPECT_EQ(ParseTimeOfDay("9:05"), (TimeOfDay{9, 5, 0}));
  EXPECT_EQ(ParseTimeOfDay("9:5:7"), (TimeOfDay{9, 5, 7}));
  EXPECT_EQ(ParseTimeOfDay(" \t14:30 "), (TimeOfDay{14, 30, 0}));
}

TEST(ParseTimeOfDay, ReadsTwelveHourTimes) {
  EXPECT_EQ(ParseTimeOfDay(" 9:05 PM"), (TimeOfDay{21, 5, 0}));
  EXPECT_EQ(ParseTimeOfDay("9:05am"), (TimeOfDay{9, 5, 0}));
  EXPECT_EQ(ParseTimeOfDay("12:00:00 AM"), (TimeOfDay{0, 0, 0}));
  EXPECT_EQ(ParseTimeOfDay("12:30 pM"), (TimeOfDay{12, 30, 0}));
  EXPECT_EQ(ParseTimeOfDay("11:59:59 PM"), (TimeOfDay{23, 59, 59}));
}

TEST(ParseTimeOfDay, RefusesHoursOutsideTheClock) {
  EXPECT_EQ(ParseTimeOfDay("25:00:00"), std::nullopt);
  EXPECT_EQ(ParseTimeOfDay("24:00:00"), std::nullopt);
  EXPECT_EQ(ParseTimeOfDay("13:00 PM"), std::nullopt);
  EXPECT_EQ(ParseTimeOfDay("0:30 AM"), std::nullopt);
}

TEST(ParseTimeOfDay, RefusesMinutesAndSecondsOutsideTheClock) {
  EXPECT_EQ(ParseTimeOfDay("12:60"), std::nullopt);
  EXPECT_EQ(ParseTimeOfDay("12:00:60"), std::nullopt);
}

TEST(ParseTimeOfDay, RefusesIncompleteMaskedText) {
  EXPECT_EQ(ParseTimeOfDay("22:3_:__"), std::nullopt);
  EXPECT_EQ(ParseTimeOfDay("__:__:__"), std::nullopt);
  EXPECT_EQ(ParseTimeOfDay("22:30:__"), std::nullopt);
}

TEST(ParseTimeOfDay, RefusesMalformedTexts) {
  for (const char* text : {"", " ", "22", "22:", ":30", "22::30", "123:00", "22:300", "22:30:00:00",
                           "22 :30", "22:30 XM", "AM", "22.30", "-1:00"}) {
    EXPECT_EQ(ParseTimeOfDay(text), std::nullopt) << text;
  }
}

// Formatting

TEST(FormatTwoDigits, PadsToTwoDigitsAndKeepsLongerValues) {
  EXPECT_EQ(FormatTwoDigits(0), "00");
  EXPECT_EQ(FormatTwoDigits(5), "05");
  EXPECT_EQ(FormatTwoDigits(59), "59");
  EXPECT_EQ(FormatTwoDigits(123), "123");
  EXPECT_EQ(FormatTwoDigits(596523), "596523");
}

TEST(FormatTwoDigits, PutsTheMinusSignBeforeThePaddedDigits) {
  EXPECT_EQ(FormatTwoDigits(-1), "-01");
  EXPECT_EQ(FormatTwoDigits(-45), "-45");
  EXPECT_EQ(FormatTwoDigits(INT32_MIN), "-2147483648");
  EXPECT_EQ(FormatTwoDigits(INT32_MAX), "2147483647");
}

TEST(FormatHms, WritesTheEightCharacterTimeText) {
  EXPECT_EQ(FormatHms({0, 40, 10}), "00:40:10");
  EXPECT_EQ(FormatHms({22, 30, 0}), "22:30:00");
  EXPECT_EQ(FormatHms({9, 5, 7}), "09:05:07");
}

TEST(FormatHms, RoundTripsThroughParseTimeOfDay) {
  for (const TimeOfDay time : {TimeOfDay{0, 0, 0}, TimeOfDay{12, 0, 1}, TimeOfDay{23, 59, 59}}) {
    EXPECT_EQ(ParseTimeOfDay(FormatHms(time)), time);
  }
}

}  // namespace
}  // namespace nocturo
