#include "platform/linux/journal_line.hpp"

namespace nocturo::linux_desktop {

std::string JournalLine(std::string_view text) {
  std::string line = "nocturo: ";
  line.reserve(line.size() + text.size() + 1);
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    line += byte < 0x20 || byte == 0x7F ? ' ' : c;
  }
  line += '\n';
  return line;
}

}  // namespace nocturo::linux_desktop
