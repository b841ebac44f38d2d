#include "common/conversions.hpp"

#include "common/shortest_float.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace nocturo {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// The pieces of a text that passed the numeric test.
struct NumberParts {
  bool negative = false;
  std::string_view integerDigits;
  std::string_view fractionDigits;
  bool exponentNegative = false;
  std::string_view exponentDigits;  // empty: no exponent
};

std::size_t CountDigits(std::string_view text) {
  std::size_t count = 0;
  while (count < text.size() && IsDigit(text[count])) {
    ++count;
  }
  return count;
}

std::optional<NumberParts> SplitNumber(std::string_view text, std::string_view decimalSeparator) {
  text = TrimBlanks(text);
  NumberParts parts;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    parts.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::size_t count = CountDigits(text);
  parts.integerDigits = text.substr(0, count);
  text.remove_prefix(count);
  // An empty separator would match everywhere; it means there is none.
  if (!decimalSeparator.empty() && text.starts_with(decimalSeparator)) {
    text.remove_prefix(decimalSeparator.size());
    count = CountDigits(text);
    parts.fractionDigits = text.substr(0, count);
    text.remove_prefix(count);
  }
  if (parts.integerDigits.empty() && parts.fractionDigits.empty()) {
    return std::nullopt;
  }
  if (!text.empty() && (text.front() == 'E' || text.front() == 'e')) {
    text.remove_prefix(1);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
      parts.exponentNegative = text.front() == '-';
      text.remove_prefix(1);
    }
    count = CountDigits(text);
    if (count == 0) {
      return std::nullopt;
    }
    parts.exponentDigits = text.substr(0, count);
    text.remove_prefix(count);
  }
  if (!text.empty()) {
    return std::nullopt;
  }
  return parts;
}

// Far beyond any double's range, small enough that adding the count of
// mantissa digits cannot overflow.
constexpr long long kExponentCap = 1'000'000'000;

long long ExponentValue(const NumberParts& parts) {
  long long value = 0;
  for (const char c : parts.exponentDigits) {
    value = value * 10 + (c - '0');
    if (value > kExponentCap) {
      value = kExponentCap;
      break;
    }
  }
  return parts.exponentNegative ? -value : value;
}

std::string_view WithoutLeadingZeros(std::string_view digits) {
  while (!digits.empty() && digits.front() == '0') {
    digits.remove_prefix(1);
  }
  return digits;
}

}  // namespace

double RoundHalfEven(double value) {
  if (!std::isfinite(value)) {
    return value;
  }
  // Exact: the distance of a double from its floor is always representable.
  const double floor = std::floor(value);
  const double fraction = value - floor;
  double result = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) {
    result = floor + 1.0;
  }
  // Keep the sign of a negative value that rounds to zero, as nearbyint does.
  return result == 0.0 ? std::copysign(0.0, value) : result;
}

std::optional<std::int32_t> ToInt32HalfEven(double value) {
  if (!std::isfinite(value)) {
    return std::nullopt;
  }
  const double rounded = RoundHalfEven(value);
  constexpr double kMin = std::numeric_limits<std::int32_t>::min();
  constexpr double kMax = std::numeric_limits<std::int32_t>::max();
  if (rounded < kMin || rounded > kMax) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(rounded);
}

bool IsNumeric(std::string_view text, std::string_view decimalSeparator) {
  return SplitNumber(text, decimalSeparator).has_value();
}

std::optional<double> ParseNumber(std::string_view text, std::string_view decimalSeparator) {
  const auto parts = SplitNumber(text, decimalSeparator);
  if (!parts) {
    return std::nullopt;
  }
  // Rebuilt in the one form from_chars reads, whatever the regional separator.
  const long long exponent = ExponentValue(*parts);
  std::string normal;
  normal.reserve(parts->integerDigits.size() + parts->fractionDigits.size() + 16);
  if (parts->negative) {
    normal += '-';
  }
  normal += parts->integerDigits.empty() ? std::string_view("0") : parts->integerDigits;
  if (!parts->fractionDigits.empty()) {
    normal += '.';
    normal += parts->fractionDigits;
  }
  normal += 'e';
  normal += std::to_string(exponent);

  double value = 0;
  const auto [end, error] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too large is no number; too small is zero, as the platform's conversion
    // gives it. The decimal magnitude tells which.
    const std::string_view whole = WithoutLeadingZeros(parts->integerDigits);
    long long magnitude = exponent;
    if (!whole.empty()) {
      magnitude += static_cast<long long>(whole.size());
    } else {
      const std::size_t zeros =
          parts->fractionDigits.size() - WithoutLeadingZeros(parts->fractionDigits).size();
      magnitude -= static_cast<long long>(zeros);
    }
    if (magnitude > 0) {
      return std::nullopt;
    }
    return parts->negative ? -0.0 : 0.0;
  }
  if (error != std::errc{} || end != normal.data() + normal.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

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

// Plain notation for decimal exponents -4 to 6 (0.0001 up to 9,999,999, the
// single's seven-digit display range); beyond, "1.5E+07" and "1E-05", the
// exponent signed and of at least two digits. The digits are the shortest that
// read back as the same single. Not finite values give "NaN", "Inf" and "-Inf",
// which fail the numeric test on the way back.
std::string FormatSingle(float value, std::string_view decimalSeparator) {
  if (std::isnan(value)) {
    return "NaN";
  }
  if (std::isinf(value)) {
    return value < 0 ? "-Inf" : "Inf";
  }
  if (value == 0.0F) {
    return "0";
  }

  // The shortest form that reads back as the same single.
  const bool negative = value < 0.0F;
  const ShortestDecimal shortest = ShortestFloat(negative ? -value : value);
  const std::string digits = std::to_string(shortest.significand);
  const int exponent = shortest.exponent + static_cast<int>(digits.size()) - 1;

  std::string text = negative ? "-" : "";
  if (exponent >= -4 && exponent <= 6) {
    const int wholeCount = exponent + 1;
    if (wholeCount <= 0) {
      text += '0';
      text += decimalSeparator;
      text.append(static_cast<std::size_t>(-wholeCount), '0');
      text += digits;
    } else if (static_cast<std::size_t>(wholeCount) >= digits.size()) {
      text += digits;
      text.append(static_cast<std::size_t>(wholeCount) - digits.size(), '0');
    } else {
      text += digits.substr(0, static_cast<std::size_t>(wholeCount));
      text += decimalSeparator;
      text += digits.substr(static_cast<std::size_t>(wholeCount));
    }
    return text;
  }
  text += digits.front();
  if (digits.size() > 1) {
    text += decimalSeparator;
    text += digits.substr(1);
  }
  text += exponent < 0 ? "E-" : "E+";
  const int magnitude = exponent < 0 ? -exponent : exponent;
  if (magnitude < 10) {
    text += '0';
  }
  text += std::to_string(magnitude);
  return text;
}

}  // namespace nocturo
