#pragma once

#include "platform/system.hpp"
#include "platform/win32/handles.hpp"

namespace nocturo::win32 {

// The system calls the program makes, passed to Windows with the records the
// program built; results go back unexamined.
class WinSystem final : public System {
 public:
  WinSystem() = default;

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
  std::string CommandLine() const override;
  ProgramVersion Version() const override;
  [[noreturn]] void EndProcess() override;

 private:
  // Held for the whole run: while it exists, later copies see it.
  UniqueHandle singleInstance_;
  bool instanceChecked_ = false;
  bool previousInstance_ = false;
};

}  // namespace nocturo::win32
