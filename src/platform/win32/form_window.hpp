#pragma once

#include <string>
#include <string_view>

#include "platform/ui.hpp"
#include "platform/ui_events.hpp"
#include "platform/win32/common_controls.hpp"
#include "platform/win32/font_cache.hpp"
#include "platform/win32/form_controls.hpp"
#include "platform/win32/handles.hpp"
#include "platform/win32/pixel_scale.hpp"
#include "platform/win32/win_control_metrics.hpp"
#include "platform/win32/window_class.hpp"
#include "ui/design.hpp"
#include "ui/form_model.hpp"
#include "ui/model_ui.hpp"

namespace nocturo::win32 {

// One of the program's two top-level windows: a fixed-size tool window (no
// taskbar button) built hidden from its design, with its hidden menu and, for
// the main window, the one-second timer. Its controls live in its model until
// it is first shown, when their system windows are made. It turns the
// system's messages into the program's events, and the user's input into
// ui's.
class FormWindow {
 public:
  FormWindow(const WindowDesign& design, const PixelScale& scale, UINT taskbarCreatedMessage,
             ModelUi& ui, CommonControls& commonControls);
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  void SetEvents(UiEvents* events) { events_ = events; }
  // Creates the window hidden and centred on the screen and reports OnLoad
  // before returning.
  void Create();
  // Nothing once the window has been destroyed.
  HWND Handle() const { return window_.get(); }
  bool Alive() const { return Handle() != nullptr; }
  FormModel& Model() { return model_; }
  FormControls& Controls() { return controls_; }
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
  void MakeControls();
  bool FocusOnActivation();
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
  void ReportTimeEdit(ControlId control);

  const WindowDesign& design_;
  PixelScale scale_;
  UINT taskbarCreatedMessage_;
  ModelUi& ui_;
  CommonControls& commonControls_;
  UiEvents* events_ = nullptr;
  bool building_ = true;  // no events while the window or its controls are made
  bool timerEnabled_ = false;
  HWND lastFocus_ = nullptr;  // the control to give the focus back to
  FontCache fonts_;
  WinControlMetrics metrics_;
  FormModel model_;
  FormControls controls_;
  UniqueMenu menu_;
  UniqueIcon bigIcon_;
  UniqueIcon smallIcon_;
  ClassWindow<FormWindow> window_{*this};  // last: destroyed first, while the rest still exists
};

}  // namespace nocturo::win32
