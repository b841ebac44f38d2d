// The process entry point of the Linux desktop program.
#include <QApplication>
#include <string>
#include <vector>

#include "main/application.hpp"
#include "platform/linux/bus_connection.hpp"
#include "platform/linux/journal.hpp"
#include "platform/linux/linux_platform.hpp"

int main(int argc, char* argv[]) {
  nocturo::linux_desktop::OpenJournal();
  nocturo::linux_desktop::ProbeSessionBus();
  QApplication qt(argc, argv);
  // Closing the last window hides it here; only the program decides to end.
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setApplicationName(QStringLiteral("Nocturo"));

  // Qt has taken its own options (-display, -platform...) out of argv.
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) {
    arguments.emplace_back(argv[i]);
  }
  nocturo::linux_desktop::LinuxPlatform platform(arguments);
  nocturo::Application app(platform.AsPlatform());
  platform.SetEvents(app);
  // Main may end the process itself (a second copy, or an immediate action).
  app.Main();
  return QApplication::exec();
}
