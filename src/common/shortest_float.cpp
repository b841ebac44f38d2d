#include "common/shortest_float.hpp"

#include <array>
#include <cstring>

namespace nocturo {
namespace {

// An unsigned integer of 256 bits, enough for every scaled single below.
struct Wide {
  std::array<std::uint32_t, 8> limbs{};  // least significant first
};

void MultiplySmall(Wide& wide, std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (std::uint32_t& limb : wide.limbs) {
    const std::uint64_t product = std::uint64_t{limb} * factor + carry;
    limb = static_cast<std::uint32_t>(product);
    carry = product >> 32;
  }
}

// Returns whether the division left a remainder.
bool DivideSmall(Wide& wide, std::uint32_t divisor) {
  std::uint64_t remainder = 0;
  for (std::size_t i = wide.limbs.size(); i-- > 0;) {
    const std::uint64_t current = (remainder << 32) | wide.limbs[i];
    wide.limbs[i] = static_cast<std::uint32_t>(current / divisor);
    remainder = current % divisor;
  }
  return remainder != 0;
}

void ShiftLeft(Wide& wide, int bits) {
  const auto limbShift = static_cast<std::size_t>(bits / 32);
  const int bitShift = bits % 32;
  for (std::size_t i = wide.limbs.size(); i-- > 0;) {
    std::uint32_t value = 0;
    if (i >= limbShift) {
      value = wide.limbs[i - limbShift] << bitShift;
      if (bitShift != 0 && i > limbShift) {
        value |= wide.limbs[i - limbShift - 1] >> (32 - bitShift);
      }
    }
    wide.limbs[i] = value;
  }
}

// Returns whether any bit shifted out was set.
bool ShiftRight(Wide& wide, int bits) {
  const auto limbShift = static_cast<std::size_t>(bits / 32);
  const int bitShift = bits % 32;
  bool lost = false;
  for (std::size_t i = 0; i < wide.limbs.size(); ++i) {
    if (i < limbShift) {
      lost = lost || wide.limbs[i] != 0;
    } else if (i == limbShift && bitShift != 0) {
      lost = lost || (wide.limbs[i] & ((std::uint32_t{1} << bitShift) - 1)) != 0;
    }
  }
  for (std::size_t i = 0; i < wide.limbs.size(); ++i) {
    std::uint32_t value = 0;
    if (i + limbShift < wide.limbs.size()) {
      value = wide.limbs[i + limbShift] >> bitShift;
      if (bitShift != 0 && i + limbShift + 1 < wide.limbs.size()) {
        value |= wide.limbs[i + limbShift + 1] << (32 - bitShift);
      }
    }
    wide.limbs[i] = value;
  }
  return lost;
}

struct Scaled {
  std::uint64_t whole = 0;  // floor(x * 2^e / 10^j)
  bool exact = false;
};

// x * 2^e / 10^j = x * 2^(e - j) / 5^j, rounded down, and whether exactly.
// The callers choose j so that the result has about thirteen digits.
Scaled Scale(std::uint32_t x, int e, int j) {
  Wide wide;
  wide.limbs[0] = x;
  bool lost = false;
  if (j <= 0) {
    for (int n = -j; n > 0; n -= 13) {
      std::uint32_t power = 1;
      for (int k = 0; k < (n < 13 ? n : 13); ++k) {
        power *= 5;
      }
      MultiplySmall(wide, power);
    }
  }
  const int shift = e - j;
  if (shift >= 0) {
    ShiftLeft(wide, shift);
  } else {
    lost = ShiftRight(wide, -shift);
  }
  if (j > 0) {
    // floor(floor(a / b) / c) = floor(a / (b * c)).
    for (int n = j; n > 0; n -= 13) {
      std::uint32_t power = 1;
      for (int k = 0; k < (n < 13 ? n : 13); ++k) {
        power *= 5;
      }
      lost = DivideSmall(wide, power) || lost;
    }
  }
  return Scaled{(std::uint64_t{wide.limbs[1]} << 32) | wide.limbs[0], !lost};
}

// floor(n * log10(2)) for the exponents of a single.
int FloorLog10Pow2(int n) {
  return (n * 78913) >> 18;
}

}  // namespace

ShortestDecimal ShortestFloat(float value) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  const std::uint32_t fraction = bits & 0x7FFFFFU;
  const int biased = static_cast<int>((bits >> 23) & 0xFFU);
  const std::uint32_t mantissa = biased == 0 ? fraction : fraction | 0x800000U;
  const int exponent = (biased == 0 ? 1 : biased) - 150;

  // The value and the halfway points to its neighbours, in quarters of its
  // unit: the lower neighbour is nearer when the value is a power of two.
  // The halfway points themselves read back as this value when its mantissa
  // is even (ties go to even).
  const bool boundsRead = mantissa % 2 == 0;
  const bool lowerNearer = fraction == 0 && biased > 1;
  const std::uint32_t v = 4 * mantissa;
  const std::uint32_t high = v + 2;
  const std::uint32_t low = v - (lowerNearer ? 1 : 2);
  const int e = exponent - 2;

  // Start about thirteen digits down, where the interval holds many
  // multiples of 10^j, and move up while it still holds one.
  int j = FloorLog10Pow2(e + 26) - 12;
  auto [vWhole, vExact] = Scale(v, e, j);
  auto [lowWhole, lowExact] = Scale(low, e, j);
  auto [highWhole, highExact] = Scale(high, e, j);
  const auto first = [&](std::uint64_t whole, bool exact) {
    return exact && boundsRead ? whole : whole + 1;
  };
  const auto last = [&](std::uint64_t whole, bool exact) {
    return exact && !boundsRead ? whole - 1 : whole;
  };

  bool restZero = vExact;  // below the last removed digit
  std::uint32_t lastDigit = 0;
  while (true) {
    const std::uint64_t nextLow = lowWhole / 10;
    const bool nextLowExact = lowExact && lowWhole % 10 == 0;
    const std::uint64_t nextHigh = highWhole / 10;
    const bool nextHighExact = highExact && highWhole % 10 == 0;
    if (first(nextLow, nextLowExact) > last(nextHigh, nextHighExact)) {
      break;
    }
    restZero = restZero && lastDigit == 0;
    lastDigit = static_cast<std::uint32_t>(vWhole % 10);
    vWhole /= 10;
    lowWhole = nextLow;
    lowExact = nextLowExact;
    highWhole = nextHigh;
    highExact = nextHighExact;
    ++j;
  }

  // The nearest multiple of 10^j, kept inside the interval.
  const bool up = lastDigit > 5 || (lastDigit == 5 && (!restZero || vWhole % 2 == 1));
  std::uint64_t digits = vWhole + (up ? 1 : 0);
  const std::uint64_t lowest = first(lowWhole, lowExact);
  const std::uint64_t highest = last(highWhole, highExact);
  if (digits < lowest) {
    digits = lowest;
  } else if (digits > highest) {
    digits = highest;
  }
  return ShortestDecimal{static_cast<std::uint32_t>(digits), j};
}

}  // namespace nocturo
