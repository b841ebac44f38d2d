#include "scheduler/command_line.hpp"

#include <cmath>
#include <string>

#include "common/number_text.hpp"
#include "common/text_encoding.hpp"

namespace nocturo {
namespace {

// Letter case is ignored for the ASCII letters the switches are made of.
char16_t FoldCase(char16_t c) {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

// Position of the first occurrence of the switch, letter case ignored.
std::size_t Find(std::u16string_view text, std::u16string_view sw) {
  if (text.size() < sw.size()) {
    return std::u16string_view::npos;
  }
  for (std::size_t p = 0; p + sw.size() <= text.size(); ++p) {
    bool match = true;
    for (std::size_t k = 0; match && k < sw.size(); ++k) {
      match = FoldCase(text[p + k]) == sw[k];
    }
    if (match) {
      return p;
    }
  }
  return std::u16string_view::npos;
}

// The characters that follow a switch, when there are enough of them.
std::optional<std::u16string_view> Argument(std::u16string_view text, std::u16string_view sw,
                                            std::size_t length) {
  const auto p = Find(text, sw);
  if (p == std::u16string_view::npos || text.size() - p - sw.size() < length) {
    return std::nullopt;
  }
  return text.substr(p + sw.size(), length);
}

// A half of "/A": a number that is whole and not negative.
std::optional<int> WholeHalf(std::string_view half, std::string_view decimalSeparator) {
  const auto value = ParseNumber(half, decimalSeparator);
  if (!value || *value < 0 || *value != std::floor(*value) || *value > 99) {
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

std::optional<TimeOfDay> AtTime(std::u16string_view text, std::string_view decimalSeparator) {
  const auto argument = Argument(text, u"/A", 4);
  if (!argument || !IsNumeric(Utf16ToUtf8(*argument), decimalSeparator)) {
    return std::nullopt;
  }
  // Both halves are counted in characters, as Windows hands them over.
  const auto hours = WholeHalf(Utf16ToUtf8(argument->substr(0, 2)), decimalSeparator);
  const auto minutes = WholeHalf(Utf16ToUtf8(argument->substr(2, 2)), decimalSeparator);
  if (!hours || !minutes) {
    return std::nullopt;
  }
  // Minutes past 59 carry into the hour; hours past 23 wrap into the next day.
  const int total = (*hours * 60 + *minutes) % (24 * 60);
  return TimeOfDay{.hour = total / 60, .minute = total % 60, .second = 0};
}

std::optional<std::int32_t> WithinMinutes(std::u16string_view text,
                                          std::string_view decimalSeparator) {
  const auto argument = Argument(text, u"/D", 3);
  if (!argument) {
    return std::nullopt;
  }
  const auto value = ParseNumber(Utf16ToUtf8(*argument), decimalSeparator);
  if (!value) {
    return std::nullopt;
  }
  return ToInt32HalfEven(*value);
}

}  // namespace

CommandLineOptions ParseCommandLine(std::string_view text, std::string_view decimalSeparator) {
  const std::u16string line = Utf8ToUtf16(text);
  const auto has = [&](std::u16string_view sw) {
    return Find(line, sw) != std::u16string_view::npos;
  };
  return {
      .atTime = AtTime(line, decimalSeparator),
      .withinMinutes = WithinMinutes(line, decimalSeparator),
      .powerOff = has(u"/MA"),
      .restart = has(u"/MR"),
      .logOff = has(u"/ML"),
      .force = has(u"/F"),
      .start = has(u"/E"),
      .show = has(u"/S"),
      .immediate = has(u"/I"),
  };
}

}  // namespace nocturo
