#pragma once

#include "platform/platform.hpp"
#include "power/position_keeper.hpp"
#include "tray/program_end.hpp"
#include "tray/tray_icon.hpp"

namespace nocturo {

// The program's two ways out. Neither returns: the process ends.
class PowerAction final : public ProgramEnd {
 public:
  PowerAction(Platform& platform, TrayIcon& tray, PositionKeeper& position)
      : platform_(platform), tray_(tray), position_(position) {}

  // ApagarOrdenador: hides the windows, saves the position, asks the system
  // for the action chosen in the main window, and ends the program without
  // waiting for the system to act.
  [[noreturn]] void ApagarOrdenador();
  // TerminarPrograma: saves the position, closes both windows, removes the
  // tray icon and ends the process.
  [[noreturn]] void TerminarPrograma() override;

 private:
  Platform& platform_;
  TrayIcon& tray_;
  PositionKeeper& position_;
};

}  // namespace nocturo
