#pragma once

#include <cstdint>
#include <optional>

#include "common/time_of_day.hpp"

namespace nocturo {

inline constexpr std::int32_t kSecondsPerDay = 86'400;

// The count for a number of minutes: zero minutes are a 30-second count spent
// in the warning phase; otherwise minutes times 60, rounded half to even.
// Nothing when that gives no second to count (negative, or so small it rounds
// to zero) or does not fit the count.
std::optional<std::int32_t> SecondsForMinutes(double minutes);

// SegundosDelDia: seconds since midnight of a time of day.
std::int32_t SegundosDelDia(const TimeOfDay& time);

// The count from now until the target time of day: later today, or the same
// time tomorrow when it has passed or is this very second.
std::int32_t SecondsUntil(const TimeOfDay& target, const TimeOfDay& now);

}  // namespace nocturo
