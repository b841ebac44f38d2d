#include "platform/win32/window_proc.hpp"

namespace nocturo::win32 {

HINSTANCE ProgramInstance() {
  return ::GetModuleHandleW(nullptr);
}

}  // namespace nocturo::win32
