#include "platform/linux/qt_window.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QMoveEvent>
#include <QScreen>
#include <utility>

#include "platform/linux/application_id.hpp"
#include "platform/linux/qt_colours.hpp"
#include "platform/linux/qt_fonts.hpp"
#include "platform/linux/qt_menu.hpp"
#include "platform/linux/qt_text.hpp"
#include "platform/linux/tray_reach.hpp"
#include "platform/linux/x11_frame.hpp"

namespace nocturo::linux_desktop {
namespace {

constexpr int kTimerMilliseconds = 1000;

// A tool window has no taskbar entry on the desktops that honour the type; it
// gets a title bar with a close box and nothing else.
constexpr Qt::WindowFlags kFlags =
    Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
// Without a tray the taskbar entry is the window's way back after minimising.
constexpr Qt::WindowFlags kStandInFlags = Qt::Window | Qt::CustomizeWindowHint |
                                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                                          Qt::WindowMinimizeButtonHint;

}  // namespace

QtWindow::QtWindow(const WindowDesign& design, const PixelScale& scale, QtControls::Reports reports)
    : QWidget(nullptr, kFlags),
      design_(design),
      scale_(scale),
      metrics_(scale, FontOf(design.font, scale)),
      model_(design, metrics_),
      controls_(model_, metrics_, std::move(reports)) {}

void QtWindow::Create() {
  setObjectName(ToQString(design_.name));
  setWindowTitle(ToQString(design_.caption));
  setFont(metrics_.windowFont());
  QPalette background = palette();
  background.setColor(QPalette::Window, ToQColor(kSysButtonFace, QGuiApplication::palette()));
  setPalette(background);
  setFixedSize(scale_.ToPixelsX(design_.clientWidth), scale_.ToPixelsY(design_.clientHeight));
  if (design_.hasIcon) {
    setWindowIcon(QIcon(QStringLiteral(":/nocturo/nocturo.ico")));
  }
  // Centred on the screen until the program places it.
  if (const QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr) {
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }
  setMouseTracking(true);
  timer_.setInterval(kTimerMilliseconds);
  connect(&timer_, &QTimer::timeout, this, [this] { OnTick(); });
  building_ = false;
  if (events_ != nullptr) {
    events_->OnLoad(design_.id);
  }
}

// Showing counts as a resize: the header band is laid out before it is seen.
void QtWindow::Show() {
  controls_.Realize(*this);
  winId();
  ClaimWindowClass(*this);
  if (isMinimized()) {
    setWindowState(windowState() & ~Qt::WindowMinimized);
  }
  if (!isVisible() && events_ != nullptr) {
    events_->OnResize(design_.id);
  }
  show();
  raise();
  activateWindow();
  if (design_.focusWhenShown) {
    if (const QtControl* control = controls_.Find(*design_.focusWhenShown); control != nullptr) {
      control->widget->setFocus(Qt::ActiveWindowFocusReason);
    }
  }
}

void QtWindow::Hide() {
  if (standsIn_) {
    showMinimized();
  } else {
    hide();
  }
}

void QtWindow::SetStandsIn(bool standsIn, const MenuDesign& trayMenu) {
  if (standsIn == standsIn_) {
    return;
  }
  standsIn_ = standsIn;
  trayMenu_ = standsIn ? &trayMenu : nullptr;
  // Qt hides a window whose flags change; it shows again as it was, except
  // that one put away while there was no tray is simply hidden now there is.
  const bool shown = isVisible() && !isMinimized();
  // The manager lets the window go and frames it anew: mutter's new frame
  // stands a title bar higher than the old one whatever Qt asks before the
  // window is shown, so the frame is put back once it is painted.
  const std::optional<ScreenPoint> at =
      place_.Where(shown ? std::optional<FrameReading>(Read()) : std::nullopt);
  setWindowFlags(standsIn ? kStandInFlags : kFlags);
  if (!standsIn) {
    setWindowState(windowState() & ~Qt::WindowMinimized);
  }
  if (at) {
    place_.Asked(*at);
    move(at->x, at->y);
    putBack_ = shown ? at : std::nullopt;
  }
  if (shown) {
    show();
  }
}

void QtWindow::Repaint() {
  update();
  repaint();
}

void QtWindow::Destroy() {
  destroyed_ = true;
  timer_.stop();
  hide();
  events_ = nullptr;
}

std::string QtWindow::Caption() const {
  return ToUtf8(windowTitle());
}

void QtWindow::SetCaption(std::string_view text) {
  setWindowTitle(ToQString(text));
}

TwipsRect QtWindow::Bounds() const {
  const QRect qtFrame = frameGeometry();
  const std::optional<FrameReading> now =
      isVisible() ? std::optional<FrameReading>(Read()) : std::nullopt;
  const ScreenPoint at = place_.Where(now).value_or(ScreenPoint{qtFrame.x(), qtFrame.y()});
  QSize size = qtFrame.size();
  if (now && now->extents) {
    size = {width() + now->extents->left + now->extents->right,
            height() + now->extents->top + now->extents->bottom};
  }
  return TwipsRect{scale_.ToTwipsX(at.x), scale_.ToTwipsY(at.y), scale_.ToTwipsX(size.width()),
                   scale_.ToTwipsY(size.height())};
}

// The outer edges go where asked, as move() places a window's frame, unless
// the window manager decides otherwise.
void QtWindow::Move(float left, float top) {
  const ScreenPoint at{scale_.ToPixelsX(left), scale_.ToPixelsY(top)};
  place_.Asked(at);
  move(at.x, at.y);
}

// Where Qt cannot ask the window system, its own idea of the frame.
FrameReading QtWindow::Read() const {
  if (std::optional<FrameReading> read = ReadFrame(*this)) {
    return *read;
  }
  const QPoint frame = frameGeometry().topLeft();
  return FrameReading{
      .client = {frame.x(), frame.y()}, .framed = true, .outer = {frame.x(), frame.y()}};
}

// A shown window is read whenever it moves, so that a hidden one stands where
// it was last seen.
void QtWindow::moveEvent(QMoveEvent* event) {
  if (isVisible()) {
    place_.Seen(Read(), false);
  }
  QWidget::moveEvent(event);
}

// By the first paint the window manager has framed and placed the window.
void QtWindow::paintEvent(QPaintEvent* event) {
  if (place_.Settling()) {
    place_.Seen(Read(), true);
  }
  if (putBack_ && isVisible()) {
    const ScreenPoint at = *putBack_;
    putBack_.reset();
    // Asked anew: the place mutter painted it at is no measure of drags since.
    if (FrameTopLeft(Read()) != at) {
      place_.Asked(at);
      move(at.x, at.y);
    }
  }
  QWidget::paintEvent(event);
}

// The window's menu is never a menu bar: it pops up at the pointer (on
// Wayland only over a focused window of the program's), and the chosen item
// is reported before returning.
void QtWindow::PopupMenu() {
  QWidget* focused = QApplication::activeWindow();
  QWidget* parent = nullptr;
  switch (PopupMenuParent(PlatformPlacesWindows(QGuiApplication::platformName().toStdString()),
                          focused != nullptr)) {
    case MenuParent::MenuWindow:
      parent = this;
      break;
    case MenuParent::FocusedWindow:
      parent = focused;
      break;
    case MenuParent::None:
      break;
  }
  if (parent != nullptr) {
    Report(ChooseMenuItem(*parent, design_.menu, QCursor::pos()));
  }
}

void QtWindow::Report(std::optional<int> chosenItem) {
  if (chosenItem && events_ != nullptr) {
    events_->OnMenuItem(*chosenItem);
  }
}

void QtWindow::SetTimerEnabled(bool enabled) {
  if (enabled == timer_.isActive()) {
    return;
  }
  if (enabled) {
    timer_.start();
  } else {
    timer_.stop();
  }
}

// The program decides what closing means; the window is never closed here.
void QtWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (events_ != nullptr) {
    events_->OnCloseBox(design_.id);
  }
}

// Without a tray the window is the user's only handle on the program: it
// offers the tray's menu where a thing's menu is looked for, on a right click
// anywhere on it or the menu key, so the About window and the exit stay within
// reach.
void QtWindow::contextMenuEvent(QContextMenuEvent* event) {
  if (trayMenu_ == nullptr) {
    QWidget::contextMenuEvent(event);
    return;
  }
  event->accept();
  Report(ChooseMenuItem(*this, *trayMenu_, event->globalPos()));
}

// The pointer's own moves over the window's bare client area, as Windows
// reports them to the window. Only the About window, which owns the tray
// icon, has a mouse-move handler.
void QtWindow::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (design_.id != WindowId::AcercaDe || events_ == nullptr || building_ ||
      childAt(at) != nullptr) {
    QWidget::mouseMoveEvent(event);
    return;
  }
  events_->OnMouseMove(design_.id, static_cast<float>(at.x()) * scale_.twipsPerPixelX,
                       static_cast<float>(at.y()) * scale_.twipsPerPixelY, true);
}

void QtWindow::OnTick() {
  if (timer_.isActive() && events_ != nullptr) {
    events_->OnTimer();
  }
}

}  // namespace nocturo::linux_desktop
