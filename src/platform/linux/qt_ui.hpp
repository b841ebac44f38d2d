#pragma once

#include "common/pixel_scale.hpp"
#include "platform/linux/qt_window.hpp"
#include "platform/ui.hpp"
#include "ui/window_ui.hpp"

namespace nocturo::linux_desktop {

// A window destroyed from inside one of its own handlers must outlive the
// handler: Qt deletes it once control is back in the event loop. One still
// alive at the end goes with the program.
struct LaterDelete {
  void operator()(QtWindow* window) const;
};

// The window system on a Linux desktop: both windows and their controls built
// with Qt Widgets from the design tables, at the screen's real DPI. What the
// program sets on the controls is kept in each window's model, which the
// widgets show from the window's first showing on.
class QtUi final : public WindowUi<QtWindow, LaterDelete> {
 public:
  QtUi();

  // While no tray shows the icon, the main window is an ordinary one, with a
  // taskbar entry, that hiding only minimises.
  void SetWindowStandsIn(bool standsIn);

  bool PlacesWindows() const override;
  std::uint32_t Handle(WindowId window) override;
  std::uint32_t Icon(WindowId window) override;
  ScreenMetrics Screen() const override;

 private:
  FormPtr Make(WindowId window) override;

  PixelScale scale_;
  bool windowStandsIn_ = false;
};

}  // namespace nocturo::linux_desktop
