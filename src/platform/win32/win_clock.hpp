#pragma once

#include "platform/clock.hpp"

namespace nocturo::win32 {

// The local time as the system keeps it.
class WinClock final : public Clock {
 public:
  DateTime Now() const override;
};

}  // namespace nocturo::win32
