#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace nocturo {

// Rounds to the nearest whole number, a half going to the even neighbour.
double RoundHalfEven(double value);
// The same, as a signed 32-bit number; nothing when the value is not finite or
// does not fit.
std::optional<std::int32_t> ToInt32HalfEven(double value);

// The general numeric test of a text: optional blanks around, an optional sign,
// digits with at most one regional decimal separator (at least one digit in
// all), and an optional exponent (E or e, optional sign, digits).
bool IsNumeric(std::string_view text, std::string_view decimalSeparator);
// The text's value when it passes the numeric test; nothing otherwise, and
// nothing when the value is not finite (1e999).
std::optional<double> ParseNumber(std::string_view text, std::string_view decimalSeparator);

}  // namespace nocturo
