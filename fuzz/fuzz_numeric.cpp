// The numeric test and conversion, rounding and the single's text form.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/number_text.hpp"
#include "common/single_text.hpp"
#include "fuzz_support.hpp"

using nocturo::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nocturo::fuzz::ByteReader input(data, size);
  const std::string_view separator = nocturo::fuzz::SeparatorFrom(input.Byte());
  const std::string_view text = input.Rest();

  const bool numeric = nocturo::IsNumeric(text, separator);
  const auto value = nocturo::ParseNumber(text, separator);
  Require(!value || numeric, "a parsed number passes the numeric test");
  if (!value) {
    return 0;
  }
  Require(std::isfinite(*value), "a parsed number is finite");

  const double rounded = nocturo::RoundHalfEven(*value);
  Require(rounded == std::floor(rounded), "rounding gives a whole number");
  Require(std::fabs(rounded - *value) <= 0.5, "rounding moves by at most a half");
  if (const auto whole = nocturo::ToInt32HalfEven(*value)) {
    Require(static_cast<double>(*whole) == rounded, "the 32-bit value is the rounded one");
  } else {
    Require(std::fabs(rounded) >= 2147483648.0, "only values out of range are refused");
  }

  const auto single = static_cast<float>(*value);
  const std::string written = nocturo::FormatSingle(single, separator);
  Require(!written.empty(), "a single always has a text");
  if (std::isfinite(single) && nocturo::fuzz::CanWriteFractions(separator)) {
    const auto back = nocturo::ParseNumber(written, separator);
    Require(back.has_value(), "a written single passes the numeric test");
    Require(static_cast<float>(*back) == single, "a written single reads back the same");
  }
  return 0;
}
