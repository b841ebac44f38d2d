#pragma once

namespace nocturo {

// What the ways out need of the stored window position: it is saved before
// the end. Owned here so that power/ need not know who keeps it.
class PositionKeeper {
 public:
  PositionKeeper() = default;
  PositionKeeper(const PositionKeeper&) = delete;
  PositionKeeper& operator=(const PositionKeeper&) = delete;
  virtual ~PositionKeeper() = default;

  // GuardarPosicion: writes the main window's place to the settings store.
  virtual void GuardarPosicion() = 0;
};

}  // namespace nocturo
