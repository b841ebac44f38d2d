#pragma once

#include <cstdint>

namespace nocturo::linux_desktop {

// The power request, carried to systemd-logind on the system bus.
class LogindPower {
 public:
  LogindPower() = default;
  LogindPower(const LogindPower&) = delete;
  LogindPower& operator=(const LogindPower&) = delete;

  // ExitWindowsEx's contract: nonzero when the request was accepted.
  std::int32_t Request(std::uint32_t exitFlags);
};

}  // namespace nocturo::linux_desktop
