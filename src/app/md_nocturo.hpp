#pragma once

#include "app/window_position.hpp"
#include "platform/platform.hpp"
#include "power/power_action.hpp"
#include "tray/tray_icon.hpp"

namespace nocturo {

// The program's module: start-up, the tray icon, the stored position and the
// ways out, shared by both windows.
class MDNocturo final {
 public:
  explicit MDNocturo(Platform& platform)
      : platform_(platform),
        tray_(platform.ui, platform.system),
        position_(platform),
        power_(platform, tray_, position_) {}

  // Start-up, in this order: the system's name, the shutdown privilege on the
  // NT family, the name into the About window (which creates it, hidden), the
  // single-instance test, then the icon, whose picture is the main window's:
  // reading it loads the main window, which applies the command line.
  void Main();

  // The parts it is made of; callers use them directly.
  TrayIcon& tray() { return tray_; }
  WindowPosition& position() { return position_; }
  PowerAction& power() { return power_; }

 private:
  Platform& platform_;
  TrayIcon tray_;
  WindowPosition position_;
  PowerAction power_;
};

}  // namespace nocturo
