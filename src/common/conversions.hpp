#pragma once

#include <cstdint>
#include <optional>
#include <string>
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

struct TimeOfDay {
  int hour = 0;    // 0 to 23
  int minute = 0;  // 0 to 59
  int second = 0;  // 0 to 59

  friend bool operator==(const TimeOfDay&, const TimeOfDay&) = default;
};

// The date/time test and conversion for time-of-day texts: "h:mm", "h:mm:ss",
// one or two digits per field, blanks around, and an optional AM/PM suffix (in
// any case) that makes the hour 1 to 12. "22:30:00" and "9:05" are times;
// "25:00:00", "22:3_:__" and "" are not.
std::optional<TimeOfDay> ParseTimeOfDay(std::string_view text);

// The numeric format "00": at least two digits, a minus sign before a negative
// value.
std::string FormatTwoDigits(std::int32_t value);
// "hh:mm:ss", 24-hour.
std::string FormatHms(const TimeOfDay& time);
// The default conversion of a single-precision number to text: no leading
// zeros, no decimal point for a whole number, a leading minus sign, the
// regional decimal separator for a fraction.
std::string FormatSingle(float value, std::string_view decimalSeparator);

}  // namespace nocturo
