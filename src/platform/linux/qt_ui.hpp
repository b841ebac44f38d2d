#pragma once

#include <memory>

#include "platform/ui.hpp"
#include "platform/ui_events.hpp"

namespace nocturo::linux_desktop {

// The window system on a Linux desktop: both windows and their controls built
// with Qt Widgets from the design tables, at the screen's real DPI.
class QtUi final : public Ui {
 public:
  QtUi();
  QtUi(const QtUi&) = delete;
  QtUi& operator=(const QtUi&) = delete;
  ~QtUi() override;

  void SetEvents(UiEvents& events);
  // While no tray shows the icon, the main window is an ordinary one, with a
  // taskbar entry, that hiding only minimises.
  void SetWindowStandsIn(bool standsIn);

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
  bool PlacesWindows() const override;
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
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace nocturo::linux_desktop
