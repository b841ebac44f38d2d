#pragma once

#include <cstdint>

namespace nocturo::linux_desktop {

// The power request: power off and restart through systemd-logind on the
// system bus, log off through the desktop's session manager (unforced) or by
// ending this session in logind (forced). Every call waits a few seconds at
// most, never asks anyone to authenticate (a scheduled request has nobody to
// answer), and any failure, from no bus to a denial, is a refusal.
class SessionPower {
 public:
  // ExitWindowsEx's contract: nonzero when the request was accepted.
  std::int32_t Request(std::uint32_t exitFlags);
};

}  // namespace nocturo::linux_desktop
