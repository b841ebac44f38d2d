#pragma once

#include <cstdint>

namespace nocturo {

inline constexpr std::uint32_t kEwxLogoff = 0;
inline constexpr std::uint32_t kEwxShutdown = 1;
inline constexpr std::uint32_t kEwxReboot = 2;
inline constexpr std::uint32_t kEwxForce = 4;
inline constexpr std::uint32_t kEwxPoweroff = 8;

// The request for the chosen action: power off when the first action is
// selected, else restart when the second is, else log off; forced only when
// the check box is exactly ticked (its grey value 2 is not).
std::uint32_t ExitFlags(bool powerOffSelected, bool restartSelected, int forceValue);

}  // namespace nocturo
