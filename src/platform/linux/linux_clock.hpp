#pragma once

#include "platform/clock.hpp"

namespace nocturo::linux_desktop {

// The local wall clock, in the zone the C library was told (TZ or
// /etc/localtime).
class LinuxClock final : public Clock {
 public:
  DateTime Now() const override;
};

}  // namespace nocturo::linux_desktop
