#include "scheduler/countdown_text.hpp"

#include "common/time_of_day.hpp"

namespace nocturo {

std::string RemainingTimeText(std::int32_t seconds) {
  const std::int32_t hours = seconds / 3600;
  const std::int32_t minutes = (seconds - hours * 3600) / 60;
  const std::int32_t rest = seconds % 60;
  return FormatTwoDigits(hours) + ":" + FormatTwoDigits(minutes) + ":" + FormatTwoDigits(rest);
}

}  // namespace nocturo
