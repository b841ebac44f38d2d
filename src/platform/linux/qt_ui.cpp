#include "platform/linux/qt_ui.hpp"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <memory>
#include <string_view>

#include "common/pixel_scale.hpp"
#include "platform/linux/qt_accessibility.hpp"
#include "platform/linux/qt_window.hpp"
#include "platform/linux/window_handles.hpp"
#include "platform/linux/window_placement.hpp"
#include "ui/design.hpp"
#include "ui/window_registry.hpp"

namespace nocturo::linux_desktop {
namespace {

// The scale of the screen the program starts on, from its logical
// resolution (in Qt's device-independent pixels).
PixelScale ScreenScale() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return PixelScale{};
  }
  return PixelScale::AtDpi(static_cast<int>(std::lround(screen->logicalDotsPerInchX())),
                           static_cast<int>(std::lround(screen->logicalDotsPerInchY())));
}

// A window destroyed from inside one of its own handlers must outlive the
// handler: Qt deletes it once control is back in the event loop. One still
// alive at the end goes with the program.
struct LaterDelete {
  void operator()(QtWindow* window) const {
    if (window->Alive()) {
      delete window;
    } else {
      window->deleteLater();
    }
  }
};

// The menu the program pops up for its tray icon: the About window's, which
// owns the icon.
const MenuDesign& TrayMenu() {
  return DesignOf(WindowId::AcercaDe).menu;
}

}  // namespace

struct QtUi::State {
  PixelScale scale = ScreenScale();
  UiEvents* events = nullptr;
  bool windowStandsIn = false;
  WindowRegistry<QtWindow, LaterDelete> windows;
};

QtUi::QtUi() : state_(std::make_unique<State>()) {
  InstallAccessibility();
}

QtUi::~QtUi() = default;

void QtUi::SetEvents(UiEvents& events) {
  state_->events = &events;
  SetUiEvents(&events);
  state_->windows.ForEach([&events](QtWindow& form) { form.SetEvents(&events); });
}

QtWindow* QtUi::Live(WindowId window) {
  return state_->windows.Live(window, [this, window] {
    std::unique_ptr<QtWindow, LaterDelete> form(
        new QtWindow(DesignOf(window), state_->scale,
                     {.click = [this](ControlId id) { UserClick(id); },
                      .edit = [this](ControlId id, std::string_view text) { UserEdit(id, text); },
                      .editedTime = [this](ControlId id) { UserEditedTime(id); }}));
    form->SetEvents(state_->events);
    if (window == WindowId::Principal && state_->windowStandsIn) {
      form->SetStandsIn(true, TrayMenu());
    }
    return form;
  });
}

const QtWindow* QtUi::Existing(WindowId window) const {
  return state_->windows.Existing(window);
}

FormModel* QtUi::LiveModel(WindowId window) {
  QtWindow* form = Live(window);
  return form != nullptr ? &form->Model() : nullptr;
}

FormModel* QtUi::ExistingModel(WindowId window) const {
  QtWindow* form = state_->windows.Existing(window);
  return form != nullptr ? &form->Model() : nullptr;
}

void QtUi::Mirror(ControlId control, ControlAspect aspect) {
  if (QtWindow* form = state_->windows.Existing(WindowOf(control)); form != nullptr) {
    form->Controls().Mirror(control, aspect);
  }
}

void QtUi::SetWindowStandsIn(bool standsIn) {
  state_->windowStandsIn = standsIn;
  if (QtWindow* form = state_->windows.Existing(WindowId::Principal); form != nullptr) {
    form->SetStandsIn(standsIn, TrayMenu());
  }
}

bool QtUi::Exists(WindowId window) const {
  return Existing(window) != nullptr;
}

void QtUi::Load(WindowId window) {
  Live(window);
}

void QtUi::Show(WindowId window) {
  if (QtWindow* form = Live(window); form != nullptr) {
    form->Show();
  }
}

void QtUi::Hide(WindowId window) {
  if (QtWindow* form = Live(window); form != nullptr) {
    form->Hide();
  }
}

bool QtUi::IsVisible(WindowId window) const {
  const QtWindow* form = Existing(window);
  return form != nullptr && form->isVisible();
}

void QtUi::Repaint(WindowId window) {
  if (QtWindow* form = Live(window); form != nullptr) {
    form->Repaint();
  }
}

void QtUi::Destroy(WindowId window) {
  state_->windows.Destroy(window);
}

void QtUi::SetCaption(WindowId window, std::string_view text) {
  if (QtWindow* form = Live(window); form != nullptr) {
    form->SetCaption(text);
  }
}

std::string QtUi::Caption(WindowId window) const {
  const QtWindow* form = Existing(window);
  return form != nullptr ? form->Caption() : std::string();
}

TwipsRect QtUi::Bounds(WindowId window) const {
  const QtWindow* form = Existing(window);
  return form != nullptr ? form->Bounds() : TwipsRect{};
}

void QtUi::Move(WindowId window, float left, float top) {
  if (QtWindow* form = Live(window); form != nullptr) {
    form->Move(left, top);
  }
}

bool QtUi::PlacesWindows() const {
  return PlatformPlacesWindows(QGuiApplication::platformName().toStdString());
}

std::uint32_t QtUi::Handle(WindowId window) {
  return Live(window) != nullptr ? HandleOf(window) : 0;
}

std::uint32_t QtUi::Icon(WindowId window) {
  return Live(window) != nullptr && DesignOf(window).hasIcon ? kWindowIconHandle : 0;
}

void QtUi::PopupMenu(WindowId window) {
  if (QtWindow* form = Live(window); form != nullptr) {
    form->PopupMenu();
  }
}

bool QtUi::TimerEnabled() const {
  const QtWindow* form = Existing(WindowId::Principal);
  return form != nullptr && form->TimerEnabled();
}

void QtUi::SetTimerEnabled(bool enabled) {
  if (QtWindow* form = Live(WindowId::Principal); form != nullptr) {
    form->SetTimerEnabled(enabled);
  }
}

ScreenMetrics QtUi::Screen() const {
  const PixelScale& scale = state_->scale;
  ScreenMetrics metrics{.twipsPerPixelX = scale.twipsPerPixelX,
                        .twipsPerPixelY = scale.twipsPerPixelY};
  if (const QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr) {
    const QRect area = screen->availableGeometry();
    metrics.width = scale.ToTwipsX(area.width());
    metrics.height = scale.ToTwipsY(area.height());
  }
  return metrics;
}

}  // namespace nocturo::linux_desktop
