#include "platform/win32/common_controls.hpp"

#include <commctrl.h>

namespace nocturo::win32 {

void CommonControls::Load() {
  if (module_) {
    return;
  }
  module_.reset(::LoadLibraryW(L"comctl32.dll"));
  if (!module_) {
    return;
  }
  using Initialise = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  // Through void (*)(): the address the system gives has no type of its own.
  const auto initialise = reinterpret_cast<Initialise>(
      reinterpret_cast<void (*)()>(::GetProcAddress(module_.get(), "InitCommonControlsEx")));
  if (initialise != nullptr) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES;
    initialise(&controls);
  }
}

}  // namespace nocturo::win32
