#pragma once

#include <string>
#include <string_view>

#include "platform/ui.hpp"
#include "platform/ui_events.hpp"
#include "platform/win32/font_cache.hpp"
#include "platform/win32/form_controls.hpp"
#include "platform/win32/handles.hpp"
#include "platform/win32/pixel_scale.hpp"
#include "ui/design.hpp"

namespace nocturo::win32 {

// One of the program's two top-level windows: a fixed-size tool window (no
// taskbar button) built hidden from its design, with its controls, hidden menu
// and, for the main window, the one-second timer. It turns the system's
// messages into the program's events.
class FormWindow {
 public:
  FormWindow(const WindowDesign& design, const PixelScale& scale, UINT taskbarCreatedMessage);
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;
  ~FormWindow();

  void SetEvents(UiEvents* events) { events_ = events; }
  // Creates the window hidden and centred on the screen, builds its controls
  // and reports OnLoad before returning.
  void Create();
  // Nothing once the window has been destroyed.
  HWND Handle() const { return window_.get(); }
  FormControls& Controls() { return controls_; }
  const FormControls& Controls() const { return controls_; }
  HICON Icon() const { return smallIcon_.get(); }

  void Show();
  void Hide();
  bool IsVisible() const;
  void Repaint();
  void Destroy();
  std::string Caption() const;
  void SetCaption(std::string_view text);
  TwipsRect Bounds() const;
  void Move(float left, float top);
  void PopupMenu();
  bool TimerEnabled() const { return timerEnabled_; }
  void SetTimerEnabled(bool enabled);

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void BuildMenu();
  void LoadIcons();
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnControlColour(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool OnActivate(WPARAM wParam);
  void OnShowWindow(bool showing);
  void OnSize();
  void OnTimer(WPARAM timerId);
  void OnClose();
  void OnMouseMove(LPARAM lParam);
  void OnTaskbarCreated();
  LRESULT OnGetDefId() const;
  void OnNcDestroy();
  void ReportChange(ControlId control);

  const WindowDesign& design_;
  PixelScale scale_;
  UINT taskbarCreatedMessage_;
  UiEvents* events_ = nullptr;
  bool building_ = true;  // no events until every control exists
  bool timerEnabled_ = false;
  HWND lastFocus_ = nullptr;  // the control to give the focus back to
  FontCache fonts_;
  FormControls controls_;
  UniqueMenu menu_;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  UniqueWindow window_;  // last: destroyed first, while the rest still exists
};

}  // namespace nocturo::win32
