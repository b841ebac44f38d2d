#pragma once

#include <cstdint>

#include "platform/platform.hpp"
#include "tray/program_end.hpp"

namespace nocturo {

// The tray icon's notifications, which the shell delivers to the About window
// as mouse moves whose horizontal coordinate carries the mouse message, and
// the tray menu's items.
class TrayCallback {
 public:
  TrayCallback(Platform& platform, ProgramEnd& end) : platform_(platform), end_(end) {}

  // Decodes a notification. Real pointer movement over the About window is not
  // a notification and is ignored: on a scaled display the window is wide
  // enough for its coordinates to look like one.
  void OnMouseMove(float xTwips, bool pointerMove);
  // mnuTray: 1 shows the main window, 2 the About window, 3 ends the program.
  void MnuTrayClick(int index);

  bool Ocupado() const { return ocupado_; }
  std::int32_t Mensaje() const { return mensaje_; }

 private:
  Platform& platform_;
  ProgramEnd& end_;
  bool ocupado_ = false;
  std::int32_t mensaje_ = 0;
};

}  // namespace nocturo
