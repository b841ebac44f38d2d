#include "common/number_text.hpp"

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

}  // namespace
}  // namespace nocturo
