#pragma once

#include <cstdint>

namespace nocturo {

// A positive decimal number: significand x 10^exponent.
struct ShortestDecimal {
  std::uint32_t significand = 0;  // no trailing zeros
  int exponent = 0;

  friend bool operator==(const ShortestDecimal&, const ShortestDecimal&) = default;
};

// The shortest decimal that reads back as the same single, and of those the
// nearest to its exact value (a tie goes to the even significand): the digits
// std::to_chars gives for a float. For finite values greater than zero.
//
// The program's own, rather than std::to_chars, because the library's single
// and double conversions share one object file with large tables that a
// statically linked executable then carries whole (some 200 KB with the
// formatted printing it pulls in). bench/float_check compares the two over
// every positive single.
ShortestDecimal ShortestFloat(float value);

}  // namespace nocturo
