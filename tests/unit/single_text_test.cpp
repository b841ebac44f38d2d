#include "common/single_text.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "common/number_text.hpp"

namespace nocturo {
namespace {

constexpr std::string_view kComma = ",";
constexpr std::string_view kPoint = ".";

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
