#pragma once

#include <array>
#include <cstdint>

#include "platform/system.hpp"

namespace nocturo {

using TokenPrivilegesRecord = std::array<std::uint8_t, kTokenPrivilegesRecordSize>;
using Luid = std::array<std::uint8_t, kLuidSize>;

inline constexpr std::uint32_t kTokenAdjustPrivileges = 32;
inline constexpr std::uint32_t kTokenQuery = 8;
inline constexpr std::uint32_t kSePrivilegeEnabled = 2;

// One privilege, enabled: count 1, the LUID, attributes 2.
TokenPrivilegesRecord BuildEnablePrivilegeRecord(const Luid& luid);

// HabilitarApagado: enables the shutdown privilege in the process's own token,
// which the NT family requires before it powers off or restarts. Failures are
// not examined: the request itself fails later, in silence.
void HabilitarApagado(System& system);

}  // namespace nocturo
