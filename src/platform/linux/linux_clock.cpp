#include "platform/linux/linux_clock.hpp"

#include <ctime>

namespace nocturo::linux_desktop {

DateTime LinuxClock::Now() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (::localtime_r(&now, &local) == nullptr) {
    return {};
  }
  // A leap second reads as the second before it, as on Windows.
  return {.year = local.tm_year + 1900,
          .month = local.tm_mon + 1,
          .day = local.tm_mday,
          .hour = local.tm_hour,
          .minute = local.tm_min,
          .second = local.tm_sec > 59 ? 59 : local.tm_sec};
}

}  // namespace nocturo::linux_desktop
