#include "platform/linux/linux_system.hpp"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/linux/linux_regional.hpp"
#include "platform/linux/tray_reach.hpp"
#include "scheduler/command_line.hpp"

namespace nocturo::linux_desktop {
namespace {

// The arguments after the program's name, as one line: the program finds its
// switches anywhere in it, as in a Windows command line.
std::string JoinArguments(const std::vector<std::string>& arguments) {
  std::string line;
  for (const std::string& argument : arguments) {
    if (!line.empty()) {
      line += ' ';
    }
    line += argument;
  }
  return line;
}

// The token the desktop gave this start, to pass on to the copy that will
// show itself instead.
std::string ActivationToken() {
  for (const char* name : {"XDG_ACTIVATION_TOKEN", "DESKTOP_STARTUP_ID"}) {
    if (const char* token = std::getenv(name); token != nullptr && *token != '\0') {
      return token;
    }
  }
  return {};
}

}  // namespace

LinuxSystem::LinuxSystem(Ui& ui, const std::vector<std::string>& arguments)
    : commandLine_(JoinArguments(arguments)), tray_(ui) {}

std::int32_t LinuxSystem::ExitWindowsEx(std::uint32_t flags, std::uint32_t /*reserved*/) {
  return power_.Request(flags);
}

std::int32_t LinuxSystem::ShellNotifyIcon(std::uint32_t message, NotifyIconBytes record) {
  return tray_.Apply(message, record);
}

std::int32_t LinuxSystem::GetVersionEx(OsVersionBytes /*record*/) {
  return 0;
}

SystemHandle LinuxSystem::GetCurrentProcess() {
  return 0;
}

std::int32_t LinuxSystem::OpenProcessToken(SystemHandle /*process*/,
                                           std::uint32_t /*desiredAccess*/, SystemHandle& token) {
  token = 0;
  return 0;
}

std::int32_t LinuxSystem::LookupPrivilegeValue(std::string_view /*systemName*/,
                                               std::string_view /*privilegeName*/,
                                               LuidOut /*luid*/) {
  return 0;
}

std::int32_t LinuxSystem::AdjustTokenPrivileges(SystemHandle /*token*/, bool /*disableAll*/,
                                                TokenPrivilegesBytes /*newState*/,
                                                std::uint32_t /*bufferLength*/,
                                                TokenPrivilegesOut /*previousState*/,
                                                std::uint32_t& returnLength) {
  returnLength = 0;
  return 0;
}

void LinuxSystem::CloseHandle(SystemHandle /*handle*/) {}

// A second start tells the running copy what it was asked and ends; the
// copy holding the lock listens for that from the start.
bool LinuxSystem::PreviousInstanceRunning() {
  const bool running = instance_.HeldElsewhere();
  if (const auto& place = instance_.Place(); place) {
    if (running) {
      const Knock knock{
          .show = ParseCommandLine(commandLine_, LinuxRegional{}.DecimalSeparator()).show,
          .token = ActivationToken()};
      (void)InstanceDoorbell::Ring(*place, EncodeKnock(knock));
    } else {
      (void)doorbell_.Listen(*place, [this](std::string_view line) { Heard(line); });
    }
  }
  return running;
}

void LinuxSystem::Heard(std::string_view line) {
  const auto knock = DecodeKnock(line);
  if (!knock || !ComesForward(*knock, tray_.IconShown())) {
    return;
  }
  // Qt's Wayland window hands this to the compositor when it asks to be
  // activated; without one the compositor may keep the window behind.
  if (!knock->token.empty() &&
      QGuiApplication::platformName().startsWith(QStringLiteral("wayland"))) {
    qputenv("XDG_ACTIVATION_TOKEN", QByteArray::fromStdString(knock->token));
  }
  tray_.ShowMainWindow();
}

std::string LinuxSystem::CommandLine() const {
  return commandLine_;
}

ProgramVersion LinuxSystem::Version() const {
  return {NOCTURO_VERSION_MAJOR, NOCTURO_VERSION_MINOR};
}

void LinuxSystem::EndProcess() {
  // Nothing is left to do about a stream that cannot be flushed now.
  (void)std::fflush(nullptr);
  std::_Exit(0);
}

}  // namespace nocturo::linux_desktop
