#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/control_ids.hpp"

namespace nocturo {

// Geometry is in twips (1/1440 inch) and single precision, as the windows'
// designs are.
struct TwipsRect {
  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;
};

struct ScreenMetrics {
  float width = 0;   // twips
  float height = 0;  // twips
  float twipsPerPixelX = 15;
  float twipsPerPixelY = 15;
};

// The window system as the program's handlers see it. Windows and controls are
// built by the backend from the design tables in ui/. A window is created on
// its first use through this interface (any call naming it); creating the main
// window runs its load handler before the call returns.
class Ui {
 public:
  Ui() = default;
  Ui(const Ui&) = delete;
  Ui& operator=(const Ui&) = delete;
  virtual ~Ui() = default;

  // --- windows ---
  virtual bool Exists(WindowId window) const = 0;
  virtual void Load(WindowId window) = 0;
  // Shows the window without making it modal and brings it to the front.
  virtual void Show(WindowId window) = 0;
  virtual void Hide(WindowId window) = 0;
  virtual bool IsVisible(WindowId window) const = 0;
  virtual void Repaint(WindowId window) = 0;
  // Destroys the window if it exists; its timer dies with it. A destroyed
  // window is never created again: later calls naming it do nothing.
  virtual void Destroy(WindowId window) = 0;
  virtual void SetCaption(WindowId window, std::string_view text) = 0;
  virtual std::string Caption(WindowId window) const = 0;
  // Outer edges on the screen, frame included.
  virtual TwipsRect Bounds(WindowId window) const = 0;
  // Moves without resizing, showing or activating.
  virtual void Move(WindowId window, float left, float top) = 0;
  // Whether Move places a window and Bounds says where it stands. A Wayland
  // compositor places its clients' windows itself and tells them nothing.
  virtual bool PlacesWindows() const { return true; }
  // The window's system handle and icon as 32-bit values, as the shell's
  // records carry them.
  virtual std::uint32_t Handle(WindowId window) = 0;
  virtual std::uint32_t Icon(WindowId window) = 0;
  // Pops up the window's hidden menu at the pointer. Returns when the menu has
  // closed; a chosen item's click handler has run by then.
  virtual void PopupMenu(WindowId window) = 0;

  // --- controls ---
  virtual std::string Text(ControlId control) const = 0;
  // Writing the text of a text box raises its change notification, as typing
  // does; the masked time box raises it only for the user's own edits.
  virtual void SetText(ControlId control, std::string_view text) = 0;
  // A control's own enabled state; a disabled container also makes everything
  // inside it unusable.
  virtual bool Enabled(ControlId control) const = 0;
  virtual void SetEnabled(ControlId control, bool enabled) = 0;
  // Option buttons: 1 selected, 0 not; selecting one clears the others of its
  // group. Check boxes: 0 clear, 1 ticked, 2 grey.
  virtual int Value(ControlId control) const = 0;
  virtual void SetValue(ControlId control, int value) = 0;
  virtual Colour ForeColour(ControlId control) const = 0;
  virtual void SetForeColour(ControlId control, Colour colour) = 0;
  // Position and size relative to the container's client area.
  virtual TwipsRect ControlBounds(ControlId control) const = 0;
  virtual void SetControlLeft(ControlId control, float left) = 0;
  virtual void SetControlWidth(ControlId control, float width) = 0;
  // Width of a container's client area (its border excluded).
  virtual float ScaleWidth(ControlId container) const = 0;

  // --- the countdown timer (trApagar, 1000 ms) ---
  virtual bool TimerEnabled() const = 0;
  virtual void SetTimerEnabled(bool enabled) = 0;

  // --- screen ---
  virtual ScreenMetrics Screen() const = 0;
};

}  // namespace nocturo
