#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nocturo {

inline constexpr std::string_view kDetenido = "DETENIDO";
inline constexpr std::string_view kContando = "CONTANDO";
inline constexpr std::string_view kAtencion = "ATENCIÓN!";

// The warning phase covers the last 30 seconds.
inline constexpr std::int32_t kWarningSeconds = 30;

// Hours, minutes and seconds of a count, each at least two digits, joined by
// ":". Hours are not reduced to a day: 360,000 seconds read 100:00:00.
std::string RemainingTimeText(std::int32_t seconds);

}  // namespace nocturo
