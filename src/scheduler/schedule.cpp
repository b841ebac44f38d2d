#include "scheduler/schedule.hpp"

#include "common/number_text.hpp"

namespace nocturo {

std::optional<std::int32_t> SecondsForMinutes(double minutes) {
  if (minutes == 0) {
    return 30;
  }
  const auto seconds = ToInt32HalfEven(minutes * 60);
  if (!seconds || *seconds <= 0) {
    return std::nullopt;
  }
  return seconds;
}

std::int32_t SegundosDelDia(const TimeOfDay& time) {
  return time.hour * 3600 + (time.minute * 60 + time.second);
}

std::int32_t SecondsUntil(const TimeOfDay& target, const TimeOfDay& now) {
  const std::int32_t difference = SegundosDelDia(target) - SegundosDelDia(now);
  return difference > 0 ? difference : difference + kSecondsPerDay;
}

}  // namespace nocturo
