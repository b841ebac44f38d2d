#include "platform/win32/win_system.hpp"

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/text_encoding.hpp"
#include "nocturo_version.h"
#include "platform/win32/command_line_tail.hpp"
#include "platform/win32/notify_icon_call.hpp"
#include "platform/win32/system_handles.hpp"
#include "platform/win32/wide_text.hpp"

namespace nocturo::win32 {
namespace {

static_assert(sizeof(OSVERSIONINFOA) == kOsVersionRecordSize);
static_assert(sizeof(TOKEN_PRIVILEGES) == kTokenPrivilegesRecordSize);
static_assert(sizeof(LUID) == kLuidSize);

// The version resource holds the same numbers; this stands in when it cannot be read.
constexpr ProgramVersion kBuiltVersion{NOCTURO_VERSION_MAJOR, NOCTURO_VERSION_MINOR};

}  // namespace

std::int32_t WinSystem::ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) {
  return ::ExitWindowsEx(flags, reserved);
}

std::int32_t WinSystem::ShellNotifyIcon(std::uint32_t message, NotifyIconBytes record) {
  return CallShellNotifyIcon(message, record);
}

// The records are copied through properly aligned structures; the bytes are
// the system's layout either way.
std::int32_t WinSystem::GetVersionEx(OsVersionBytes record) {
  OSVERSIONINFOA info{};
  std::memcpy(&info, record.data(), sizeof info);
  const BOOL result = ::GetVersionExA(&info);
  std::memcpy(record.data(), &info, sizeof info);
  return result;
}

SystemHandle WinSystem::GetCurrentProcess() {
  return ToHandle32(::GetCurrentProcess());
}

std::int32_t WinSystem::OpenProcessToken(SystemHandle process, std::uint32_t desiredAccess,
                                         SystemHandle& token) {
  HANDLE opened = nullptr;
  const BOOL result = ::OpenProcessToken(FromHandle32<HANDLE>(process), desiredAccess, &opened);
  token = ToHandle32(opened);
  return result;
}

// An empty system name means the local system, which the call spells as a
// null pointer.
std::int32_t WinSystem::LookupPrivilegeValue(std::string_view systemName,
                                             std::string_view privilegeName, LuidOut luid) {
  const std::string system = Utf8ToCp1252(systemName);
  const std::string privilege = Utf8ToCp1252(privilegeName);
  LUID found{};
  const BOOL result =
      ::LookupPrivilegeValueA(system.empty() ? nullptr : system.c_str(), privilege.c_str(), &found);
  std::memcpy(luid.data(), &found, sizeof found);
  return result;
}

std::int32_t WinSystem::AdjustTokenPrivileges(SystemHandle token, bool disableAll,
                                              TokenPrivilegesBytes newState,
                                              std::uint32_t bufferLength,
                                              TokenPrivilegesOut previousState,
                                              std::uint32_t& returnLength) {
  TOKEN_PRIVILEGES state{};
  std::memcpy(&state, newState.data(), sizeof state);
  TOKEN_PRIVILEGES previous{};
  DWORD length = 0;
  // The previous-state buffer is one record, whatever length is claimed.
  const DWORD usable = std::min<DWORD>(bufferLength, sizeof previous);
  const BOOL result = ::AdjustTokenPrivileges(
      FromHandle32<HANDLE>(token), disableAll ? TRUE : FALSE, &state, usable, &previous, &length);
  std::memcpy(previousState.data(), &previous, sizeof previous);
  returnLength = length;
  return result;
}

void WinSystem::CloseHandle(SystemHandle handle) {
  ::CloseHandle(FromHandle32<HANDLE>(handle));
}

// A named mutex in the user's session: the first copy creates it, later ones
// find it. A copy running elevated or as another user holds one that this copy
// may not open: the name exists all the same, so that copy counts too.
bool WinSystem::PreviousInstanceRunning() {
  if (!instanceChecked_) {
    singleInstance_.reset(::CreateMutexW(nullptr, FALSE, L"Local\\Nocturo.SingleInstance"));
    const DWORD error = ::GetLastError();
    previousInstance_ =
        singleInstance_ ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
    instanceChecked_ = true;
  }
  return previousInstance_;
}

std::string WinSystem::CommandLine() const {
  const wchar_t* commandLine = ::GetCommandLineW();
  return commandLine != nullptr ? Narrow(CommandLineTail(commandLine)) : std::string();
}

// The version compiled into the program's own resources, which CMake writes
// from the project's version.
// Read straight from our own version resource: the file-version API would load
// version.dll at start-up for two numbers.
ProgramVersion WinSystem::Version() const {
  HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
  HGLOBAL loaded = found != nullptr ? ::LoadResource(nullptr, found) : nullptr;
  const auto* block =
      static_cast<const unsigned char*>(loaded != nullptr ? ::LockResource(loaded) : nullptr);
  // The block starts with three words and the key "VS_VERSION_INFO" (16 wide
  // characters with its NUL), padded to a 32-bit boundary: the fixed part
  // follows at byte 40.
  constexpr std::size_t kFixedOffset = 40;
  if (block == nullptr ||
      ::SizeofResource(nullptr, found) < kFixedOffset + sizeof(VS_FIXEDFILEINFO)) {
    return kBuiltVersion;
  }
  VS_FIXEDFILEINFO info{};
  std::memcpy(&info, block + kFixedOffset, sizeof info);
  if (info.dwSignature != 0xFEEF04BD) {
    return kBuiltVersion;
  }
  return ProgramVersion{HIWORD(info.dwFileVersionMS), LOWORD(info.dwFileVersionMS)};
}

void WinSystem::EndProcess() {
  ::ExitProcess(0);
}

}  // namespace nocturo::win32
