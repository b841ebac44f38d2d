#pragma once

#include <QTimer>
#include <QWidget>
#include <optional>
#include <string>
#include <string_view>

#include "common/pixel_scale.hpp"
#include "platform/linux/qt_control_metrics.hpp"
#include "platform/linux/qt_controls.hpp"
#include "platform/linux/window_placement.hpp"
#include "platform/ui.hpp"
#include "platform/ui_events.hpp"
#include "ui/design.hpp"
#include "ui/form_model.hpp"

namespace nocturo::linux_desktop {

// One of the program's windows: a fixed-size tool window with no menu bar,
// its controls built from the design, its one-second timer, and the events
// the program hears from it.
class QtWindow final : public QWidget {
 public:
  // The user's input on the controls goes to reports.
  QtWindow(const WindowDesign& design, const PixelScale& scale, QtControls::Reports reports);

  // Sets the window up and runs the load handler; the controls' widgets wait
  // for the first Show.
  void Create();
  void SetEvents(UiEvents* events) { events_ = events; }

  FormModel& Model() { return model_; }
  QtControls& Controls() { return controls_; }

  void Show();
  bool IsVisible() const { return isVisible(); }
  // Minimised instead while the window stands in for a missing tray icon.
  void Hide();
  // An ordinary window with a taskbar entry while no tray shows the icon, a
  // tool window otherwise; standing in, it offers the tray's menu as its own
  // context menu.
  void SetStandsIn(bool standsIn, const MenuDesign& trayMenu);
  void Repaint();
  // Stops the timer and hears nothing more; the widget itself is deleted
  // later, outside any handler.
  void Destroy();
  bool Alive() const { return !destroyed_; }
  std::string Caption() const;
  void SetCaption(std::string_view text);
  TwipsRect Bounds() const;
  void Move(float left, float top);
  void PopupMenu();
  bool TimerEnabled() const { return timer_.isActive(); }
  void SetTimerEnabled(bool enabled);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void OnTick();
  void Report(std::optional<int> chosenItem);
  FrameReading Read() const;

  const WindowDesign& design_;
  PixelScale scale_;
  QtControlMetrics metrics_;
  FormModel model_;
  QtControls controls_;
  QTimer timer_;
  UiEvents* events_ = nullptr;
  bool building_ = true;
  bool destroyed_ = false;
  bool standsIn_ = false;
  // The tray's menu, while the window stands in for the icon.
  const MenuDesign* trayMenu_ = nullptr;
  // Where the frame stands, from the program's moves and the X server's word.
  FramePlace place_;
  // Where the frame goes back to once shown again after its type changed.
  std::optional<ScreenPoint> putBack_;
};

}  // namespace nocturo::linux_desktop
