#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace nocturo {

// Sizes of the records exchanged with the system; the core builds them byte
// for byte, and the Windows build hands them over unchanged.
inline constexpr std::size_t kNotifyIconRecordSize = 88;
inline constexpr std::size_t kOsVersionRecordSize = 148;
inline constexpr std::size_t kTokenPrivilegesRecordSize = 16;
inline constexpr std::size_t kLuidSize = 8;

using NotifyIconBytes = std::span<const std::uint8_t, kNotifyIconRecordSize>;
using OsVersionBytes = std::span<std::uint8_t, kOsVersionRecordSize>;
using TokenPrivilegesBytes = std::span<const std::uint8_t, kTokenPrivilegesRecordSize>;
using TokenPrivilegesOut = std::span<std::uint8_t, kTokenPrivilegesRecordSize>;
using LuidOut = std::span<std::uint8_t, kLuidSize>;

// Handles travel as 32-bit values, as the 32-bit system gives them.
using SystemHandle = std::uint32_t;

struct ProgramVersion {
  int major = 0;
  int minor = 0;
};

// The operating system's services that the program calls, named after the
// calls they make. Results are returned as the system gives them; the program
// decides what to examine.
class System {
 public:
  System() = default;
  System(const System&) = delete;
  System& operator=(const System&) = delete;
  virtual ~System() = default;

  virtual std::int32_t ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) = 0;
  virtual std::int32_t ShellNotifyIcon(std::uint32_t message, NotifyIconBytes record) = 0;
  virtual std::int32_t GetVersionEx(OsVersionBytes record) = 0;

  virtual SystemHandle GetCurrentProcess() = 0;
  virtual std::int32_t OpenProcessToken(SystemHandle process, std::uint32_t desiredAccess,
                                        SystemHandle& token) = 0;
  virtual std::int32_t LookupPrivilegeValue(std::string_view systemName,
                                            std::string_view privilegeName, LuidOut luid) = 0;
  virtual std::int32_t AdjustTokenPrivileges(SystemHandle token, bool disableAll,
                                             TokenPrivilegesBytes newState,
                                             std::uint32_t bufferLength,
                                             TokenPrivilegesOut previousState,
                                             std::uint32_t& returnLength) = 0;
  virtual void CloseHandle(SystemHandle handle) = 0;

  // Claims the program's single-instance token for this user session; true
  // when another copy already holds it.
  virtual bool PreviousInstanceRunning() = 0;
  // Everything after the program's name, as UTF-8.
  virtual std::string CommandLine() const = 0;
  virtual ProgramVersion Version() const = 0;
  // Ends the process at once; no further event is handled.
  [[noreturn]] virtual void EndProcess() = 0;
};

}  // namespace nocturo
