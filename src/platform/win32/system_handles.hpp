#pragma once

#include <cstdint>

#include "platform/win32/win32_api.hpp"

namespace nocturo::win32 {

// The program passes handles as 32-bit values, as the 32-bit system gives
// them. Kernel and window handles fit in 32 bits in a 64-bit process too, and
// come back sign-extended (the current-process pseudo-handle is -1).
inline std::uint32_t ToHandle32(const void* handle) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}

template <class Handle>
Handle FromHandle32(std::uint32_t value) {
  const auto extended = static_cast<std::intptr_t>(static_cast<std::int32_t>(value));
  return reinterpret_cast<Handle>(extended);
}

}  // namespace nocturo::win32
