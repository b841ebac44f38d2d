#include "platform/sim/sim_system.hpp"

#include <algorithm>

#include "common/little_endian.hpp"

namespace nocturo::sim {
namespace {

constexpr SystemHandle kCurrentProcess = 0xFFFFFFFF;

std::string TipOf(NotifyIconBytes record) {
  std::string tip;
  for (std::size_t i = 24; i < record.size() && record[i] != 0; ++i) {
    tip.push_back(static_cast<char>(record[i]));
  }
  return tip;
}

}  // namespace

std::int32_t SimSystem::ExitWindowsEx(std::uint32_t flags, std::uint32_t reserved) {
  Record({.name = "ExitWindowsEx", .args = {flags, reserved}});
  return 1;
}

std::int32_t SimSystem::ShellNotifyIcon(std::uint32_t message, NotifyIconBytes record) {
  Record({.name = "Shell_NotifyIconA", .args = {message}, .bytes = {record.begin(), record.end()}});
  const auto key = std::make_pair(GetU32(record, 4), GetU32(record, 8));
  const bool exists = icons.contains(key);
  switch (message) {
    case 0:  // add
      if (shellRefusesIcons || exists) {
        return 0;
      }
      icons.insert(key);
      shownTooltip = TipOf(record);
      return 1;
    case 1:  // modify
      if (!exists) {
        return 0;
      }
      shownTooltip = TipOf(record);
      return 1;
    case 2:  // delete
      if (!exists) {
        return 0;
      }
      icons.erase(key);
      return 1;
    default:
      return 0;
  }
}

std::int32_t SimSystem::GetVersionEx(OsVersionBytes record) {
  Record({.name = "GetVersionExA", .bytes = {record.begin(), record.end()}});
  if (versionCallFails || GetU32(record, 0) != kOsVersionRecordSize) {
    return 0;
  }
  PutU32(record, 4, majorVersion);
  PutU32(record, 8, minorVersion);
  PutU32(record, 12, 1381);
  PutU32(record, 16, platformId);
  return 1;
}

SystemHandle SimSystem::GetCurrentProcess() {
  Record({.name = "GetCurrentProcess"});
  return kCurrentProcess;
}

std::int32_t SimSystem::OpenProcessToken(SystemHandle process, std::uint32_t desiredAccess,
                                         SystemHandle& token) {
  Record({.name = "OpenProcessToken", .args = {process, desiredAccess}});
  token = nextHandle_;
  nextHandle_ += 4;
  open_.insert(token);
  return 1;
}

std::int32_t SimSystem::LookupPrivilegeValue(std::string_view systemName,
                                             std::string_view privilegeName, LuidOut luid) {
  Record({.name = "LookupPrivilegeValueA",
          .text = std::string(systemName) + "|" + std::string(privilegeName)});
  if (privilegeName != "SeShutdownPrivilege") {
    return 0;
  }
  std::copy(shutdownLuid.begin(), shutdownLuid.end(), luid.begin());
  return 1;
}

std::int32_t SimSystem::AdjustTokenPrivileges(SystemHandle token, bool disableAll,
                                              TokenPrivilegesBytes newState,
                                              std::uint32_t bufferLength,
                                              TokenPrivilegesOut previousState,
                                              std::uint32_t& returnLength) {
  Record({.name = "AdjustTokenPrivileges",
          .args = {token, disableAll ? 1U : 0U, bufferLength},
          .bytes = {newState.begin(), newState.end()}});
  if (!open_.contains(token) || bufferLength < kTokenPrivilegesRecordSize) {
    return 0;
  }
  std::fill(previousState.begin(), previousState.end(), std::uint8_t{0});
  returnLength = 4;  // the privilege was already in that state: an empty list
  return 1;
}

void SimSystem::CloseHandle(SystemHandle handle) {
  Record({.name = "CloseHandle", .args = {handle}});
  open_.erase(handle);
}

bool SimSystem::PreviousInstanceRunning() {
  Record({.name = "PreviousInstanceRunning"});
  return anotherInstance;
}

void SimSystem::EndProcess() {
  Record({.name = "EndProcess"});
  ended = true;
  throw ProcessEnded{};
}

void SimSystem::Record(SystemCall call) {
  if (journal_ != nullptr) {
    std::string entry = call.name;
    for (std::uint32_t arg : call.args) {
      entry.append(" ").append(std::to_string(arg));
    }
    journal_->Add(entry);
  }
  calls.push_back(std::move(call));
}

std::vector<std::string> SimSystem::CallNames() const {
  std::vector<std::string> names;
  names.reserve(calls.size());
  for (const SystemCall& call : calls) {
    names.push_back(call.name);
  }
  return names;
}

std::vector<const SystemCall*> SimSystem::CallsNamed(std::string_view name) const {
  std::vector<const SystemCall*> found;
  for (const SystemCall& call : calls) {
    if (call.name == name) {
      found.push_back(&call);
    }
  }
  return found;
}

}  // namespace nocturo::sim
