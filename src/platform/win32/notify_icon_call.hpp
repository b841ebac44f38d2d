#pragma once

#include <cstdint>

#include "platform/system.hpp"

namespace nocturo::win32 {

// Shell_NotifyIconA with the 88-byte record the program built.
std::int32_t CallShellNotifyIcon(std::uint32_t message, NotifyIconBytes record);

}  // namespace nocturo::win32
