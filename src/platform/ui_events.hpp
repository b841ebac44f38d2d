#pragma once

#include "platform/control_ids.hpp"

namespace nocturo {

// What the window system reports to the program. Every call arrives on the one
// user-interface thread; a handler may be re-entered only through nested
// message processing (a popup menu).
class UiEvents {
 public:
  UiEvents() = default;
  UiEvents(const UiEvents&) = delete;
  UiEvents& operator=(const UiEvents&) = delete;
  virtual ~UiEvents() = default;

  // The window has just been created, before it is ever shown.
  virtual void OnLoad(WindowId window) = 0;
  virtual void OnResize(WindowId window) = 0;
  virtual void OnClick(ControlId control) = 0;
  virtual void OnChange(ControlId control) = 0;
  virtual void OnTimer() = 0;
  // A mouse-move event with its coordinates in twips. The shell delivers the
  // tray icon's notifications this way too. pointerMove is true when the event
  // is the pointer's own movement over the window (it carries the position the
  // pointer had), which no tray notification is, wherever the pointer rests.
  virtual void OnMouseMove(WindowId window, float xTwips, float yTwips, bool pointerMove) = 0;
  // An item of the tray menu was chosen (1 to 3).
  virtual void OnMenuItem(int index) = 0;
  // The user pressed the window's close box.
  virtual void OnCloseBox(WindowId window) = 0;
  // The taskbar was (re)created, so every notification-area icon is gone.
  virtual void OnTaskbarCreated() = 0;
};

}  // namespace nocturo
