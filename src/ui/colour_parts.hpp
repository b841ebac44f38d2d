#pragma once

#include <cstdint>

#include "platform/control_ids.hpp"

// The parts of a designed colour: 0x00BBGGRR, or 0x8000000n for the system
// colour with index n, whose value each backend takes from its desktop.
namespace nocturo {

inline constexpr Colour kSystemColourFlag = 0x80000000;

constexpr bool IsSystemColour(Colour colour) {
  return (colour & kSystemColourFlag) != 0;
}

constexpr int SystemColourIndex(Colour colour) {
  return static_cast<int>(colour & 0xFF);
}

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

// A fixed colour's components (the system flag ignored).
constexpr Rgb RgbOf(Colour colour) {
  return Rgb{static_cast<std::uint8_t>(colour & 0xFF),
             static_cast<std::uint8_t>((colour >> 8) & 0xFF),
             static_cast<std::uint8_t>((colour >> 16) & 0xFF)};
}

}  // namespace nocturo
