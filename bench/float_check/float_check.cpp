// Compares ShortestFloat with std::to_chars over every positive finite
// single (or a range of bit patterns given as two hexadecimal arguments).
// Build and run: bench/float_check/run.sh
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "common/shortest_float.hpp"

namespace {

nocturo::ShortestDecimal Reference(float value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  std::uint32_t significand = 0;
  int digits = 0;
  for (const char c : text.substr(0, e)) {
    if (c != '.') {
      significand = significand * 10 + static_cast<std::uint32_t>(c - '0');
      ++digits;
    }
  }
  int exponent = 0;
  for (const char c : text.substr(e + 2)) {
    exponent = exponent * 10 + (c - '0');
  }
  if (text[e + 1] == '-') {
    exponent = -exponent;
  }
  return {significand, exponent - (digits - 1)};
}

}  // namespace

int main(int argc, char** argv) {
  std::uint32_t from = 1;
  std::uint32_t to = 0x7F7FFFFF;
  if (argc == 3) {
    from = static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 16));
    to = static_cast<std::uint32_t>(std::strtoul(argv[2], nullptr, 16));
  }
  std::uint64_t checked = 0;
  std::uint64_t differ = 0;
  for (std::uint64_t bits = from; bits <= to; ++bits) {
    const auto pattern = static_cast<std::uint32_t>(bits);
    float value = 0;
    std::memcpy(&value, &pattern, sizeof value);
    const auto ours = nocturo::ShortestFloat(value);
    const auto theirs = Reference(value);
    ++checked;
    if (!(ours == theirs)) {
      if (++differ <= 20) {
        std::printf("%08x: ours %ue%d, to_chars %ue%d\n", pattern, ours.significand, ours.exponent,
                    theirs.significand, theirs.exponent);
      }
    }
  }
  std::printf("%08x..%08x: %llu checked, %llu differ\n", from, to,
              static_cast<unsigned long long>(checked), static_cast<unsigned long long>(differ));
  return differ == 0 ? 0 : 1;
}
