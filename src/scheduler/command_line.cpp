#include "scheduler/command_line.hpp"

#include <cmath>
#include <string>

namespace nocturo {
namespace {

// The command line as code points, so that positions count characters and
// not bytes. Malformed UTF-8 bytes count one character each.
std::u32string Decode(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = 1;
    char32_t cp = lead;
    if (lead >= 0xC0 && lead < 0xE0) {
      length = 2;
      cp = lead & 0x1FU;
    } else if (lead >= 0xE0 && lead < 0xF0) {
      length = 3;
      cp = lead & 0x0FU;
    } else if (lead >= 0xF0 && lead < 0xF8) {
      length = 4;
      cp = lead & 0x07U;
    }
    bool valid = length == 1 ? lead < 0x80 : i + length <= text.size();
    for (std::size_t k = 1; valid && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      valid = (next & 0xC0U) == 0x80U;
      cp = (cp << 6U) | (next & 0x3FU);
    }
    if (!valid) {
      length = 1;
      cp = 0xFFFD;
    }
    out.push_back(cp);
    i += length;
  }
  return out;
}

std::string Encode(std::u32string_view text) {
  std::string out;
  for (char32_t cp : text) {
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0U | (cp >> 6U)));
      out.push_back(static_cast<char>(0x80U | (cp & 0x3FU)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0U | (cp >> 12U)));
      out.push_back(static_cast<char>(0x80U | ((cp >> 6U) & 0x3FU)));
      out.push_back(static_cast<char>(0x80U | (cp & 0x3FU)));
    } else {
      out.push_back(static_cast<char>(0xF0U | (cp >> 18U)));
      out.push_back(static_cast<char>(0x80U | ((cp >> 12U) & 0x3FU)));
      out.push_back(static_cast<char>(0x80U | ((cp >> 6U) & 0x3FU)));
      out.push_back(static_cast<char>(0x80U | (cp & 0x3FU)));
    }
  }
  return out;
}

char32_t FoldCase(char32_t c) {
  return (c >= U'a' && c <= U'z') ? c - (U'a' - U'A') : c;
}

// Position of the first occurrence of the switch, letter case ignored.
std::u32string::size_type Find(const std::u32string& text, std::u32string_view sw) {
  if (text.size() < sw.size()) {
    return std::u32string::npos;
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
  return std::u32string::npos;
}

// The characters that follow a switch, when there are enough of them.
std::optional<std::string> Argument(const std::u32string& text, std::u32string_view sw,
                                    std::size_t length) {
  const auto p = Find(text, sw);
  if (p == std::u32string::npos || text.size() - p - sw.size() < length) {
    return std::nullopt;
  }
  return Encode(std::u32string_view(text).substr(p + sw.size(), length));
}

// A half of "/A": a number that is whole and not negative.
std::optional<int> WholeHalf(std::string_view half, std::string_view decimalSeparator) {
  const auto value = ParseNumber(half, decimalSeparator);
  if (!value || *value < 0 || *value != std::floor(*value) || *value > 99) {
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

std::optional<TimeOfDay> AtTime(const std::u32string& text, std::string_view decimalSeparator) {
  const auto argument = Argument(text, U"/A", 4);
  if (!argument || !IsNumeric(*argument, decimalSeparator)) {
    return std::nullopt;
  }
  // Both halves are counted in characters: the argument is four of them.
  const std::u32string chars = Decode(*argument);
  const auto hours = WholeHalf(Encode(chars.substr(0, 2)), decimalSeparator);
  const auto minutes = WholeHalf(Encode(chars.substr(2, 2)), decimalSeparator);
  if (!hours || !minutes) {
    return std::nullopt;
  }
  // Minutes past 59 carry into the hour; hours past 23 wrap into the next day.
  const int total = (*hours * 60 + *minutes) % (24 * 60);
  return TimeOfDay{.hour = total / 60, .minute = total % 60, .second = 0};
}

std::optional<std::int32_t> WithinMinutes(const std::u32string& text,
                                          std::string_view decimalSeparator) {
  const auto argument = Argument(text, U"/D", 3);
  if (!argument) {
    return std::nullopt;
  }
  const auto value = ParseNumber(*argument, decimalSeparator);
  if (!value) {
    return std::nullopt;
  }
  return ToInt32HalfEven(*value);
}

}  // namespace

CommandLineOptions ParseCommandLine(std::string_view text, std::string_view decimalSeparator) {
  const std::u32string line = Decode(text);
  const auto has = [&](std::u32string_view sw) { return Find(line, sw) != std::u32string::npos; };
  return {
      .atTime = AtTime(line, decimalSeparator),
      .withinMinutes = WithinMinutes(line, decimalSeparator),
      .powerOff = has(U"/MA"),
      .restart = has(U"/MR"),
      .logOff = has(U"/ML"),
      .force = has(U"/F"),
      .start = has(U"/E"),
      .show = has(U"/S"),
      .immediate = has(U"/I"),
  };
}

}  // namespace nocturo
