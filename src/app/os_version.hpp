#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/system.hpp"

namespace nocturo {

using OsVersionRecord = std::array<std::uint8_t, kOsVersionRecordSize>;

inline constexpr std::uint32_t kPlatformWin32Windows = 1;
inline constexpr std::uint32_t kPlatformWin32Nt = 2;

struct OsVersion {
  std::uint32_t platformId = 0;
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
};

// The version record as the system expects it: its size, zero numbers, and
// 128 blanks for the service-pack text.
OsVersionRecord BuildOsVersionRecord();
OsVersion ReadOsVersion(const OsVersionRecord& record);

// The name by which the program knows a system; empty for the ones it does not
// name.
std::string_view SistemaOperativo(const OsVersion& version);

// Asks the system for its version.
OsVersion QueryOsVersion(System& system);

}  // namespace nocturo
