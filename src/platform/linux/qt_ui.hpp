#pragma once

#include <memory>

#include "platform/ui.hpp"
#include "platform/ui_events.hpp"
#include "ui/model_ui.hpp"

namespace nocturo::linux_desktop {

class QtWindow;

// The window system on a Linux desktop: both windows and their controls built
// with Qt Widgets from the design tables, at the screen's real DPI. What the
// program sets on the controls is kept in each window's model, which the
// widgets show from the window's first showing on.
class QtUi final : public ModelUi {
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

  bool TimerEnabled() const override;
  void SetTimerEnabled(bool enabled) override;

  ScreenMetrics Screen() const override;

 protected:
  FormModel* LiveModel(WindowId window) override;
  FormModel* ExistingModel(WindowId window) const override;
  void Mirror(ControlId control, ControlAspect aspect) override;

 private:
  struct State;
  QtWindow* Live(WindowId window);
  const QtWindow* Existing(WindowId window) const;

  std::unique_ptr<State> state_;
};

}  // namespace nocturo::linux_desktop
