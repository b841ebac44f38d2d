#pragma once

#include <array>
#include <memory>
#include <vector>

#include "platform/ui.hpp"
#include "platform/ui_events.hpp"
#include "platform/win32/form_window.hpp"
#include "platform/win32/pixel_scale.hpp"

namespace nocturo::win32 {

// The program's windows on Windows. A window is created by the first call that
// needs it (queries about a window that does not exist answer as for a blank
// one and create nothing). Once destroyed it stays destroyed: calls naming it
// do nothing.
class WinUi final : public Ui {
 public:
  WinUi();

  void SetEvents(UiEvents& events);
  // Gives the dialog keys (Tab, arrows, Alt+letter, Enter) of a message meant
  // for one of the windows to that window; true when it was used up.
  bool TranslateDialogMessage(MSG& message);

  bool Exists(WindowId window) const override;
  void Load(WindowId window) override;
  void Show(WindowId window) override;
  void Hide(WindowId window) override;
  bool IsVisible(WindowId window) const override;
  void Repaint(WindowId window) override;
  void Destroy(WindowId window) override;
  void SetCaption(WindowId window, std::string_view text) override;
  std::string Caption(WindowId window) const override;
  TwipsRect Bounds(WindowId window) const override;
  void Move(WindowId window, float left, float top) override;
  std::uint32_t Handle(WindowId window) override;
  std::uint32_t Icon(WindowId window) override;
  void PopupMenu(WindowId window) override;

  std::string Text(ControlId control) const override;
  void SetText(ControlId control, std::string_view text) override;
  bool Enabled(ControlId control) const override;
  void SetEnabled(ControlId control, bool enabled) override;
  int Value(ControlId control) const override;
  void SetValue(ControlId control, int value) override;
  Colour ForeColour(ControlId control) const override;
  void SetForeColour(ControlId control, Colour colour) override;
  TwipsRect ControlBounds(ControlId control) const override;
  void SetControlLeft(ControlId control, float left) override;
  void SetControlWidth(ControlId control, float width) override;
  float ScaleWidth(ControlId container) const override;

  bool TimerEnabled() const override;
  void SetTimerEnabled(bool enabled) override;

  ScreenMetrics Screen() const override;

 private:
  // The window, created on first use; nothing once it has been destroyed.
  FormWindow* Live(WindowId window);
  const FormWindow* Existing(WindowId window) const;
  // A control with the controls of its window, from one window lookup; the
  // record is null when either does not exist.
  template <class Controls, class Record>
  struct Found {
    Controls* controls = nullptr;
    Record* record = nullptr;
  };
  Found<FormControls, ControlRecord> Control(ControlId control);
  Found<const FormControls, const ControlRecord> ExistingControl(ControlId control) const;

  PixelScale scale_;
  UINT taskbarCreatedMessage_;
  UiEvents* events_ = nullptr;
  std::array<std::unique_ptr<FormWindow>, 2> forms_;
  std::array<bool, 2> destroyed_{};
  // Destroyed windows' objects, kept until the end: a window may be destroyed
  // from inside one of its own handlers.
  std::vector<std::unique_ptr<FormWindow>> retired_;
};

}  // namespace nocturo::win32
