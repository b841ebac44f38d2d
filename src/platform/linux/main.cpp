// The process entry point of the Linux desktop program.
#include <QApplication>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "main/application.hpp"
#include "platform/linux/accessibility_bus.hpp"
#include "platform/linux/application_id.hpp"
#include "platform/linux/bus_connection.hpp"
#include "platform/linux/journal.hpp"
#include "platform/linux/linux_platform.hpp"
#include "platform/linux/session_platform.hpp"

namespace {

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): before any thread
  return value != nullptr ? value : "";
}

}  // namespace

int main(int argc, char* argv[]) {
  nocturo::linux_desktop::OpenJournal();
  nocturo::linux_desktop::ProbeSessionBus();
  nocturo::linux_desktop::ProbeAccessibilityBus();
  // Qt's arguments, with the platform the session calls for added. Qt keeps a
  // reference to both for its whole life.
  std::vector<std::string_view> given(argv, argv + argc);
  std::vector<std::string> added;
  if (const auto platform =
          nocturo::linux_desktop::RequestedPlatform({.display = Environment("DISPLAY"),
                                                     .qpaPlatform = Environment("QT_QPA_PLATFORM"),
                                                     .arguments = given})) {
    added = {"-platform", *platform};
  }
  std::vector<char*> qtArgv(argv, argv + argc);
  for (std::string& argument : added) {
    qtArgv.push_back(argument.data());
  }
  int qtArgc = static_cast<int>(qtArgv.size());
  qtArgv.push_back(nullptr);

  QApplication qt(qtArgc, qtArgv.data());
  // Closing the last window hides it here; only the program decides to end.
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setApplicationName(QStringLiteral("Nocturo"));
  // The Wayland app_id; X11's WM_CLASS is set with each window.
  QGuiApplication::setDesktopFileName(
      QString::fromUtf8(nocturo::linux_desktop::kApplicationId.data(),
                        static_cast<qsizetype>(nocturo::linux_desktop::kApplicationId.size())));

  // Qt has taken its own options (-display, -platform...) out of the list.
  std::vector<std::string> arguments;
  for (int i = 1; i < qtArgc; ++i) {
    arguments.emplace_back(qtArgv[static_cast<std::size_t>(i)]);
  }
  nocturo::linux_desktop::LinuxPlatform platform(arguments);
  nocturo::Application app(platform.AsPlatform());
  platform.SetEvents(app);
  // Main may end the process itself (a second copy, or an immediate action).
  app.Main();
  return QApplication::exec();
}
