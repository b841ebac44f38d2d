#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nocturo {

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

}  // namespace nocturo
