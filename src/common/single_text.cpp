#include "common/single_text.hpp"

#include <cmath>

#include "common/shortest_float.hpp"

namespace nocturo {

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
