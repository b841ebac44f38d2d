#include "common/number_text.hpp"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>

#include "common/text_scan.hpp"

namespace nocturo {
namespace {

// The pieces of a text that passed the numeric test.
struct NumberParts {
  bool negative = false;
  std::string_view integerDigits;
  std::string_view fractionDigits;
  bool exponentNegative = false;
  std::string_view exponentDigits;  // empty: no exponent
};

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

}  // namespace nocturo
