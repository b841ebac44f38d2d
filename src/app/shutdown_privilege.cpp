#include "app/shutdown_privilege.hpp"

#include <algorithm>

#include "common/little_endian.hpp"

namespace nocturo {
namespace {

// Closes the token however the procedure is left.
class TokenHandle {
 public:
  explicit TokenHandle(System& system) : system_(system) {}
  TokenHandle(const TokenHandle&) = delete;
  TokenHandle& operator=(const TokenHandle&) = delete;
  ~TokenHandle() {
    if (value_ != 0) {
      system_.CloseHandle(value_);
    }
  }
  SystemHandle& out() { return value_; }
  SystemHandle get() const { return value_; }

 private:
  System& system_;
  SystemHandle value_ = 0;
};

}  // namespace

TokenPrivilegesRecord BuildEnablePrivilegeRecord(const Luid& luid) {
  TokenPrivilegesRecord record{};
  PutU32(record, 0, 1);
  std::copy(luid.begin(), luid.end(), record.begin() + 4);
  PutU32(record, 12, kSePrivilegeEnabled);
  return record;
}

void HabilitarApagado(System& system) {
  const SystemHandle process = system.GetCurrentProcess();
  TokenHandle token(system);
  system.OpenProcessToken(process, kTokenAdjustPrivileges + kTokenQuery, token.out());
  Luid luid{};
  system.LookupPrivilegeValue("", "SeShutdownPrivilege", luid);
  const TokenPrivilegesRecord newState = BuildEnablePrivilegeRecord(luid);
  TokenPrivilegesRecord previousState{};
  std::uint32_t returnLength = 0;
  system.AdjustTokenPrivileges(token.get(), false, newState,
                               static_cast<std::uint32_t>(kTokenPrivilegesRecordSize),
                               previousState, returnLength);
}

}  // namespace nocturo
