#pragma once

#include "platform/ui.hpp"
#include "platform/ui_events.hpp"
#include "platform/win32/common_controls.hpp"
#include "platform/win32/form_window.hpp"
#include "platform/win32/pixel_scale.hpp"
#include "ui/model_ui.hpp"
#include "ui/window_registry.hpp"

namespace nocturo::win32 {

// The program's windows on Windows. A window is created by the first call that
// needs it (queries about a window that does not exist answer as for a blank
// one and create nothing). Once destroyed it stays destroyed: calls naming it
// do nothing. What the program sets on controls lives in each window's model;
// the real controls show it once their window has been shown.
class WinUi final : public ModelUi {
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

  bool TimerEnabled() const override;
  void SetTimerEnabled(bool enabled) override;

  ScreenMetrics Screen() const override;

 private:
  FormModel* LiveModel(WindowId window) override;
  FormModel* ExistingModel(WindowId window) const override;
  void Mirror(ControlId control, ControlAspect aspect) override;

  // The window, created on first use; nothing once it has been destroyed.
  FormWindow* Live(WindowId window);
  const FormWindow* Existing(WindowId window) const { return forms_.Existing(window); }

  PixelScale scale_;
  UINT taskbarCreatedMessage_;
  CommonControls commonControls_;  // before the windows: their controls need it to the end
  WindowRegistry<FormWindow> forms_;
};

}  // namespace nocturo::win32
