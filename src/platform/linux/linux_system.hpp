#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/linux/instance_doorbell.hpp"
#include "platform/linux/instance_lock.hpp"
#include "platform/linux/session_power.hpp"
#include "platform/linux/tray_host.hpp"
#include "platform/system.hpp"
#include "platform/ui.hpp"
#include "platform/ui_events.hpp"

namespace nocturo::linux_desktop {

// The system calls the program makes, on a Linux desktop. The Windows-only
// calls (version record, privilege token) report failure, which the program
// treats as it would on Windows: an unnamed system, no privilege to adjust;
// logind decides on its own who may power off.
class LinuxSystem final : public System {
 public:
  LinuxSystem(Ui& ui, const std::vector<std::string>& arguments);

  void SetEvents(UiEvents& events) { tray_.SetEvents(events); }
  // Told true when the main window must stand in for a tray icon none shows.
  void OnWindowStandsIn(std::function<void(bool)> changed) {
    tray_.OnWindowStandsIn(std::move(changed));
  }
  void ShowMainWindow() { tray_.ShowMainWindow(); }

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
  void Heard(std::string_view line);

  std::string commandLine_;
  TrayHost tray_;
  SessionPower power_;
  InstanceLock instance_;
  InstanceDoorbell doorbell_;
};

}  // namespace nocturo::linux_desktop
