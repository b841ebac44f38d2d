#include "platform/win32/window_proc.hpp"

namespace nocturo::win32 {

void EnsureClassRegistered(const WNDCLASSEXW& windowClass) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExW(windowClass.hInstance, windowClass.lpszClassName, &existing) == FALSE) {
    ::RegisterClassExW(&windowClass);
  }
}

HINSTANCE ProgramInstance() {
  return ::GetModuleHandleW(nullptr);
}

}  // namespace nocturo::win32
