#include "platform/linux/logind_power.hpp"

namespace nocturo::linux_desktop {

std::int32_t LogindPower::Request(std::uint32_t /*exitFlags*/) {
  return 0;
}

}  // namespace nocturo::linux_desktop
