#include "platform/linux/journal.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <QLoggingCategory>
#include <QString>
#include <cerrno>
#include <csignal>
#include <string>

#include "platform/linux/journal_line.hpp"

namespace nocturo::linux_desktop {

void OpenJournal() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd) {
    if (::fcntl(fd, F_GETFD) == -1) {
      // The lowest free number: this very one, as the lower ones are open.
      const int opened = ::open("/dev/null", O_RDWR);
      if (opened != -1 && opened != fd) {
        ::close(opened);
      }
    }
  }
  (void)std::signal(SIGPIPE, SIG_IGN);
  // The environment's rules, when set, are applied after these.
  QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false"));
}

void Journal(std::string_view text) {
  const std::string line = JournalLine(text);
  // One write, so lines of other processes on the same stream stay whole.
  while (::write(STDERR_FILENO, line.data(), line.size()) == -1 && errno == EINTR) {
  }
}

}  // namespace nocturo::linux_desktop
