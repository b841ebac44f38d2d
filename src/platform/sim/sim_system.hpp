#pragma once

#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/sim/journal.hpp"
#include "platform/system.hpp"

namespace nocturo::sim {

// Thrown by EndProcess: the simulated process ends by unwinding to the test.
struct ProcessEnded {};

// One call the program made to the system, with its arguments.
struct SystemCall {
  std::string name;
  std::vector<std::uint32_t> args;
  std::vector<std::uint8_t> bytes;  // the record handed over, if any
  std::string text;                 // text arguments joined by "|"
};

// The operating system in memory: it answers as configured and records every
// call in order.
class SimSystem final : public System {
 public:
  std::int32_t ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) override;
  std::int32_t ShellNotifyIcon(std::uint32_t message, NotifyIconBytes record) override;
  std::int32_t GetVersionEx(OsVersionBytes record) override;
  SystemHandle GetCurrentProcess() override;
  std::int32_t OpenProcessToken(SystemHandle process, std::uint32_t desiredAccess,
                                SystemHandle& token) override;
  std::int32_t LookupPrivilegeValue(std::string_view systemName, std::string_view privilegeName,
                                    LuidOut luid) override;
  std::int32_t AdjustTokenPrivileges(SystemHandle token, bool disableAll,
                                     TokenPrivilegesBytes newState, std::uint32_t bufferLength,
                                     TokenPrivilegesOut previousState,
                                     std::uint32_t& returnLength) override;
  void CloseHandle(SystemHandle handle) override;
  bool PreviousInstanceRunning() override;
  std::string CommandLine() const override { return commandLine; }
  ProgramVersion Version() const override { return version; }
  [[noreturn]] void EndProcess() override;

  void SetJournal(Journal& journal) { journal_ = &journal; }

  // --- configuration ---
  std::string commandLine;
  ProgramVersion version{2, 5};
  std::uint32_t platformId = 2;
  std::uint32_t majorVersion = 5;
  std::uint32_t minorVersion = 0;
  bool versionCallFails = false;
  bool anotherInstance = false;
  bool shellRefusesIcons = false;
  std::array<std::uint8_t, 8> shutdownLuid{0x13, 0, 0, 0, 0, 0, 0, 0};

  // --- observation ---
  std::vector<SystemCall> calls;
  std::vector<std::string> CallNames() const;
  std::vector<const SystemCall*> CallsNamed(std::string_view name) const;
  // The icons the shell shows, by (window, id), and each one's tooltip.
  std::set<std::pair<std::uint32_t, std::uint32_t>> icons;
  std::string shownTooltip;
  int openHandles() const { return static_cast<int>(open_.size()); }
  bool ended = false;

 private:
  void Record(SystemCall call);

  Journal* journal_ = nullptr;
  std::set<SystemHandle> open_;
  SystemHandle nextHandle_ = 0x100;
};

}  // namespace nocturo::sim
