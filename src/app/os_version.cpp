#include "app/os_version.hpp"

#include <algorithm>

#include "common/little_endian.hpp"

namespace nocturo {
namespace {

constexpr std::size_t kSizeOffset = 0;
constexpr std::size_t kMajorOffset = 4;
constexpr std::size_t kMinorOffset = 8;
constexpr std::size_t kPlatformOffset = 16;
constexpr std::size_t kServicePackOffset = 20;

}  // namespace

OsVersionRecord BuildOsVersionRecord() {
  OsVersionRecord record{};
  PutU32(record, kSizeOffset, static_cast<std::uint32_t>(kOsVersionRecordSize));
  std::fill(record.begin() + kServicePackOffset, record.end(), std::uint8_t{' '});
  return record;
}

OsVersion ReadOsVersion(const OsVersionRecord& record) {
  return {.platformId = GetU32(record, kPlatformOffset),
          .major = GetU32(record, kMajorOffset),
          .minor = GetU32(record, kMinorOffset)};
}

std::string_view SistemaOperativo(const OsVersion& version) {
  if (version.platformId == kPlatformWin32Windows) {
    switch (version.minor) {
      case 0:
        return "Windows 95";
      case 10:
        return "Windows 98";
      default:
        return "";
    }
  }
  if (version.platformId == kPlatformWin32Nt) {
    switch (version.major) {
      case 3:
        return "Windows NT 3.51";
      case 4:
        return "Windows NT 4.0";
      case 5:
        return "Windows 2000";
      default:
        return "";
    }
  }
  return "";
}

OsVersion QueryOsVersion(System& system) {
  OsVersionRecord record = BuildOsVersionRecord();
  system.GetVersionEx(record);
  return ReadOsVersion(record);
}

}  // namespace nocturo
