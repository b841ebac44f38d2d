#pragma once

#include <string>
#include <string_view>

namespace nocturo::linux_desktop {

// A line for the session's journal: "nocturo: " and the text, with every
// control character (a D-Bus error message may hold line breaks) made a space,
// so one refusal is always one line.
std::string JournalLine(std::string_view text);

}  // namespace nocturo::linux_desktop
