#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "common/time_of_day.hpp"

namespace nocturo {

// What the command line asks for, before any of it is applied. Switches are
// found anywhere in the text, letter case ignored, first occurrence only.
struct CommandLineOptions {
  std::optional<TimeOfDay> atTime;            // "/A" HHMM, valid
  std::optional<std::int32_t> withinMinutes;  // "/D" XXX, valid
  bool powerOff = false;                      // "/MA"
  bool restart = false;                       // "/MR"
  bool logOff = false;                        // "/ML"
  bool force = false;                         // "/F"
  bool start = false;                         // "/E"
  bool show = false;                          // "/S"
  bool immediate = false;                     // "/I"

  friend bool operator==(const CommandLineOptions&, const CommandLineOptions&) = default;
};

// A pure function of the text (UTF-8) and the regional decimal separator.
CommandLineOptions ParseCommandLine(std::string_view text, std::string_view decimalSeparator);

}  // namespace nocturo
