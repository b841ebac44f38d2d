#include "platform/linux/linux_system.hpp"

#include <cstdio>
#include <cstdlib>
#include <utility>

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

bool LinuxSystem::PreviousInstanceRunning() {
  return instance_.HeldElsewhere();
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
