#include "common/conversions.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

namespace nocturo {
namespace {

constexpr std::string_view kComma = ",";
constexpr std::string_view kPoint = ".";

// RoundHalfEven and ToInt32HalfEven

TEST(RoundHalfEven, SendsAHalfToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(0.5), 0.0);
  EXPECT_EQ(RoundHalfEven(1.5), 2.0);
  EXPECT_EQ(RoundHalfEven(2.5), 2.0);
  EXPECT_EQ(RoundHalfEven(3.5), 4.0);
  EXPECT_EQ(RoundHalfEven(-2.5), -2.0);
  EXPECT_EQ(RoundHalfEven(-3.5), -4.0);
}

TEST(RoundHalfEven, SendsEverythingElseToTheNearest) {
  EXPECT_EQ(RoundHalfEven(2.4999999), 2.0);
  EXPECT_EQ(RoundHalfEven(2.5000001), 3.0);
  EXPECT_EQ(RoundHalfEven(-0.6), -1.0);
  EXPECT_EQ(RoundHalfEven(89.99999), 90.0);
  EXPECT_EQ(RoundHalfEven(7.0), 7.0);
}

TEST(RoundHalfEven, LeavesHugeAndNonFiniteValuesAlone) {
  EXPECT_EQ(RoundHalfEven(1e300), 1e300);
  EXPECT_EQ(RoundHalfEven(4503599627370497.0), 4503599627370497.0);  // 2^52 + 1
  EXPECT_TRUE(std::isinf(RoundHalfEven(std::numeric_limits<double>::infinity())));
  EXPECT_TRUE(std::isnan(RoundHalfEven(std::numeric_limits<double>::quiet_NaN())));
}

TEST(ToInt32HalfEven, RoundsHalvesToEvenLikeTheMinutesConversion) {
  EXPECT_EQ(ToInt32HalfEven(1.5 * 60), 90);
  EXPECT_EQ(ToInt32HalfEven(0.5), 0);
  EXPECT_EQ(ToInt32HalfEven(-0.5), 0);
  EXPECT_EQ(ToInt32HalfEven(-1.5), -2);
}

TEST(ToInt32HalfEven, AcceptsValuesThatRoundIntoRange) {
  EXPECT_EQ(ToInt32HalfEven(2147483647.4), INT32_MAX);
  EXPECT_EQ(ToInt32HalfEven(-2147483648.4), INT32_MIN);
  EXPECT_EQ(ToInt32HalfEven(-2147483648.5), INT32_MIN);  // the tie goes to the even one
}

TEST(ToInt32HalfEven, RefusesValuesThatRoundOutOfRange) {
  EXPECT_EQ(ToInt32HalfEven(2147483647.5), std::nullopt);
  EXPECT_EQ(ToInt32HalfEven(2147483648.0), std::nullopt);
  EXPECT_EQ(ToInt32HalfEven(-2147483649.0), std::nullopt);
  EXPECT_EQ(ToInt32HalfEven(1e9 * 60), std::nullopt);
}

TEST(ToInt32HalfEven, RefusesNonFiniteValues) {
  EXPECT_EQ(ToInt32HalfEven(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
  EXPECT_EQ(ToInt32HalfEven(std::numeric_limits<double>::infinity()), std::nullopt);
  EXPECT_EQ(ToInt32HalfEven(-std::numeric_limits<double>::infinity()), std::nullopt);
}

// IsNumeric and ParseNumber

TEST(IsNumeric, AcceptsPlainAndSignedWholeNumbers) {
  EXPECT_TRUE(IsNumeric("060", kComma));
  EXPECT_TRUE(IsNumeric("-130", kComma));
  EXPECT_TRUE(IsNumeric("+7", kComma));
  EXPECT_TRUE(IsNumeric("0", kComma));
}

TEST(IsNumeric, AcceptsBlanksAroundButNotInside) {
  EXPECT_TRUE(IsNumeric(" 05 ", kComma));
  EXPECT_TRUE(IsNumeric("\t5\t", kComma));
  EXPECT_FALSE(IsNumeric("5 /", kComma));
  EXPECT_FALSE(IsNumeric("1 5", kComma));
  EXPECT_FALSE(IsNumeric("- 5", kComma));
}

TEST(IsNumeric, AcceptsOnlyTheRegionalDecimalSeparator) {
  EXPECT_TRUE(IsNumeric("1,5", kComma));
  EXPECT_FALSE(IsNumeric("1.5", kComma));
  EXPECT_TRUE(IsNumeric("1.5", kPoint));
  EXPECT_FALSE(IsNumeric("1,5", kPoint));
  EXPECT_FALSE(IsNumeric("1,5,0", kComma));
}

TEST(IsNumeric, AcceptsASeparatorWithDigitsOnEitherSide) {
  EXPECT_TRUE(IsNumeric(".5", kPoint));
  EXPECT_TRUE(IsNumeric("5.", kPoint));
  EXPECT_TRUE(IsNumeric("-,5", kComma));
  EXPECT_FALSE(IsNumeric(".", kPoint));
  EXPECT_FALSE(IsNumeric("-.", kPoint));
}

TEST(IsNumeric, AcceptsAnExponentOnlyWithDigits) {
  EXPECT_TRUE(IsNumeric("1e9", kComma));
  EXPECT_TRUE(IsNumeric("1E+2", kComma));
  EXPECT_TRUE(IsNumeric("2,5e-1", kComma));
  EXPECT_FALSE(IsNumeric("e5", kComma));
  EXPECT_FALSE(IsNumeric("1e", kComma));
  EXPECT_FALSE(IsNumeric("1e+", kComma));
  EXPECT_FALSE(IsNumeric("1e2,5", kComma));
}

TEST(IsNumeric, RefusesTextsWithoutADigit) {
  EXPECT_FALSE(IsNumeric("", kComma));
  EXPECT_FALSE(IsNumeric(" ", kComma));
  EXPECT_FALSE(IsNumeric("-", kComma));
  EXPECT_FALSE(IsNumeric("+", kComma));
  EXPECT_FALSE(IsNumeric("abc", kComma));
  EXPECT_FALSE(IsNumeric("--5", kComma));
}

TEST(IsNumeric, HandlesASeparatorOfSeveralCharacters) {
  EXPECT_TRUE(IsNumeric("1٫5", "٫"));  // Arabic decimal separator, two bytes
  EXPECT_TRUE(IsNumeric("1<>5", "<>"));
  EXPECT_FALSE(IsNumeric("1<5", "<>"));
  EXPECT_FALSE(IsNumeric("1<", "<>"));
}

TEST(IsNumeric, TreatsAnEmptySeparatorAsNone) {
  EXPECT_TRUE(IsNumeric("15", ""));
  EXPECT_FALSE(IsNumeric("1.5", ""));
}

TEST(ParseNumber, ReadsTheValueWithTheRegionalSeparator) {
  EXPECT_EQ(ParseNumber("1,5", kComma), 1.5);
  EXPECT_EQ(ParseNumber("1.5", kPoint), 1.5);
  EXPECT_EQ(ParseNumber("1<>25", "<>"), 1.25);
  EXPECT_EQ(ParseNumber("1.5", kComma), std::nullopt);
}

TEST(ParseNumber, ReadsSignsBlanksAndLeadingZeros) {
  EXPECT_EQ(ParseNumber(" 05 ", kComma), 5.0);
  EXPECT_EQ(ParseNumber("060", kComma), 60.0);
  EXPECT_EQ(ParseNumber("-130", kComma), -130.0);
  EXPECT_EQ(ParseNumber("+7", kComma), 7.0);
  EXPECT_EQ(ParseNumber(",5", kComma), 0.5);
  EXPECT_EQ(ParseNumber("5,", kComma), 5.0);
}

TEST(ParseNumber, ReadsExponents) {
  EXPECT_EQ(ParseNumber("1e9", kComma), 1e9);
  EXPECT_EQ(ParseNumber("2,5E-1", kComma), 0.25);
  EXPECT_EQ(ParseNumber("1e+2", kComma), 100.0);
  EXPECT_EQ(ParseNumber("1e0000000000000000000003", kComma), 1000.0);
}

TEST(ParseNumber, ReadsDecimalFractionsAsTheNearestDouble) {
  EXPECT_EQ(ParseNumber("0,1", kComma), 0.1);
  EXPECT_EQ(ParseNumber("123,456", kComma), 123.456);
}

TEST(ParseNumber, RefusesAValueTooLargeForADouble) {
  EXPECT_EQ(ParseNumber("1e999", kComma), std::nullopt);
  EXPECT_EQ(ParseNumber("-1e999", kComma), std::nullopt);
  EXPECT_EQ(ParseNumber("1e99999999999999999999", kComma), std::nullopt);
  EXPECT_EQ(ParseNumber(std::string(400, '9'), kComma), std::nullopt);
}

TEST(ParseNumber, TakesAValueTooSmallForADoubleAsZero) {
  EXPECT_EQ(ParseNumber("1e-999", kComma), 0.0);
  EXPECT_EQ(ParseNumber("-0,0001e-999", kComma), 0.0);
  EXPECT_EQ(ParseNumber("0e999", kComma), 0.0);
}

TEST(ParseNumber, RefusesWhatTheNumericTestRefuses) {
  for (const char* text : {"", " ", "-", "e5", "1e", "1e+", "5 /", "1,5"}) {
    EXPECT_EQ(ParseNumber(text, kPoint), std::nullopt) << text;
  }
}

TEST(ParseNumber, DoesNotDependOnAPointInTheMiddleOfTheText) {
  // The value is rebuilt with a point internally; a point in the input must
  // still be refused when the separator is a comma.
  EXPECT_EQ(ParseNumber("1.", kComma), std::nullopt);
  EXPECT_EQ(ParseNumber(".5", kComma), std::nullopt);
}

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

TEST(FormatSingle, WritesWholeNumbersWithoutPointOrPadding) {
  EXPECT_EQ(FormatSingle(2880.0F, kComma), "2880");
  EXPECT_EQ(FormatSingle(-120.0F, kComma), "-120");
  EXPECT_EQ(FormatSingle(0.0F, kComma), "0");
  EXPECT_EQ(FormatSingle(-0.0F, kComma), "0");
  EXPECT_EQ(FormatSingle(9999999.0F, kComma), "9999999");
}

TEST(FormatSingle, WritesFractionsWithTheRegionalSeparator) {
  EXPECT_EQ(FormatSingle(2.5F, kComma), "2,5");
  EXPECT_EQ(FormatSingle(2.5F, kPoint), "2.5");
  EXPECT_EQ(FormatSingle(-0.5F, kComma), "-0,5");
  EXPECT_EQ(FormatSingle(0.0001F, kComma), "0,0001");
  EXPECT_EQ(FormatSingle(1.25F, "<>"), "1<>25");
}

TEST(FormatSingle, WritesTheShortestDigitsThatReadBackAsTheSameSingle) {
  EXPECT_EQ(FormatSingle(0.1F, kPoint), "0.1");
  EXPECT_EQ(FormatSingle(1.0F / 3.0F, kPoint), "0.33333334");
  EXPECT_EQ(FormatSingle(7187.5F, kComma), "7187,5");
}

TEST(FormatSingle, UsesAnExponentOutsideTheSevenDigitRange) {
  EXPECT_EQ(FormatSingle(1e20F, kComma), "1E+20");
  EXPECT_EQ(FormatSingle(10000000.0F, kComma), "1E+07");
  EXPECT_EQ(FormatSingle(-12345678.0F, kComma), "-1,2345678E+07");
  EXPECT_EQ(FormatSingle(0.00001F, kComma), "1E-05");
  EXPECT_EQ(FormatSingle(1.5e-38F, kPoint), "1.5E-38");
}

TEST(FormatSingle, WritesNonFiniteValuesAsTextsThatAreNotNumbers) {
  const float infinity = std::numeric_limits<float>::infinity();
  EXPECT_EQ(FormatSingle(infinity, kComma), "Inf");
  EXPECT_EQ(FormatSingle(-infinity, kComma), "-Inf");
  EXPECT_EQ(FormatSingle(std::numeric_limits<float>::quiet_NaN(), kComma), "NaN");
  EXPECT_FALSE(IsNumeric(FormatSingle(infinity, kComma), kComma));
}

TEST(FormatSingle, ReadsBackThroughParseNumber) {
  for (const float value : {2880.0F, -120.0F, 0.1F, 1.0F / 3.0F, 1e20F, -3.4e38F, 1e-40F}) {
    const auto text = FormatSingle(value, kComma);
    const auto back = ParseNumber(text, kComma);
    ASSERT_TRUE(back.has_value()) << text;
    EXPECT_EQ(static_cast<float>(*back), value) << text;
  }
}

}  // namespace
}  // namespace nocturo
