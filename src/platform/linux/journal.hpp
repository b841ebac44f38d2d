#pragma once

#include <string_view>

namespace nocturo::linux_desktop {

// Standard error is the session's journal for a desktop program. Called first
// in main: standard streams that were closed are opened on /dev/null (so no
// file or socket of ours takes their number and receives a journal line), a
// journal whose reader has gone no longer ends the process (SIGPIPE), and Qt
// keeps its debug output to itself unless the user sets QT_LOGGING_RULES.
void OpenJournal();

// Writes one line, "nocturo: " and the text, in one write. A journal that is
// not there loses the line and nothing else.
void Journal(std::string_view text);

}  // namespace nocturo::linux_desktop
