#include "power/exit_flags.hpp"

namespace nocturo {

std::uint32_t ExitFlags(bool powerOffSelected, bool restartSelected, int forceValue) {
  std::uint32_t flags = kEwxLogoff;
  if (powerOffSelected) {
    flags = kEwxShutdown | kEwxPoweroff;
  } else if (restartSelected) {
    flags = kEwxReboot;
  }
  if (forceValue == 1) {
    flags |= kEwxForce;
  }
  return flags;
}

}  // namespace nocturo
