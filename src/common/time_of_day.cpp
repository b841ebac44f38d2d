#include "common/time_of_day.hpp"

#include <array>

#include "common/text_scan.hpp"

namespace nocturo {

std::optional<TimeOfDay> ParseTimeOfDay(std::string_view text) {
  text = TrimBlanks(text);

  // An AM/PM suffix, in any case, with or without blanks before it.
  enum class Half { None, Am, Pm } half = Half::None;
  if (text.size() >= 2) {
    const char first = static_cast<char>(text[text.size() - 2] | 0x20);
    const char second = static_cast<char>(text[text.size() - 1] | 0x20);
    if ((first == 'a' || first == 'p') && second == 'm') {
      half = first == 'a' ? Half::Am : Half::Pm;
      text = TrimBlanks(text.substr(0, text.size() - 2));
    }
  }

  std::array<int, 3> fields{};
  std::size_t count = 0;
  while (true) {
    const std::size_t digits = CountDigits(text);
    if (digits < 1 || digits > 2 || count == 3) {
      return std::nullopt;
    }
    int value = 0;
    for (std::size_t i = 0; i < digits; ++i) {
      value = value * 10 + (text[i] - '0');
    }
    fields[count++] = value;
    text.remove_prefix(digits);
    if (text.empty()) {
      break;
    }
    if (text.front() != ':') {
      return std::nullopt;
    }
    text.remove_prefix(1);
  }
  if (count < 2) {
    return std::nullopt;
  }

  TimeOfDay time{fields[0], fields[1], fields[2]};
  if (time.minute > 59 || time.second > 59) {
    return std::nullopt;
  }
  if (half == Half::None) {
    if (time.hour > 23) {
      return std::nullopt;
    }
  } else {
    if (time.hour < 1 || time.hour > 12) {
      return std::nullopt;
    }
    // 12 AM is midnight and 12 PM noon.
    time.hour %= 12;
    if (half == Half::Pm) {
      time.hour += 12;
    }
  }
  return time;
}

std::string FormatTwoDigits(std::int32_t value) {
  // Widened first: the magnitude of the smallest value does not fit.
  const std::int64_t wide = value;
  const auto magnitude = static_cast<std::uint64_t>(wide < 0 ? -wide : wide);
  std::string digits = std::to_string(magnitude);
  if (digits.size() < 2) {
    digits.insert(0, 1, '0');
  }
  return value < 0 ? "-" + digits : digits;
}

std::string FormatHms(const TimeOfDay& time) {
  return FormatTwoDigits(time.hour) + ":" + FormatTwoDigits(time.minute) + ":" +
         FormatTwoDigits(time.second);
}

}  // namespace nocturo
