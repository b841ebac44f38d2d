#pragma once

#include "platform/win32/handles.hpp"

namespace nocturo::win32 {

// The common controls library, loaded when a window first makes its controls
// rather than at start: a run that only sits in the tray never needs it. The
// manifest binds it to version 6, so the controls keep their visual styles.
class CommonControls {
 public:
  // Loads and initialises the library once; without it the controls are
  // still made, in the classic look.
  void Load();

 private:
  UniqueModule module_;
};

}  // namespace nocturo::win32
