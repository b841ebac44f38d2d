#include "platform/linux/qt_ui.hpp"

#include <QGuiApplication>
#include <QScreen>
#include <array>
#include <cmath>

#include "common/pixel_scale.hpp"
#include "platform/linux/qt_accessibility.hpp"
#include "platform/linux/qt_window.hpp"
#include "platform/linux/window_handles.hpp"
#include "platform/linux/window_placement.hpp"

namespace nocturo::linux_desktop {
namespace {

std::size_t Slot(WindowId window) {
  return static_cast<std::size_t>(window);
}

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
// handler: Qt deletes it once control is back in the event loop.
struct LaterDelete {
  void operator()(QtWindow* window) const { window->deleteLater(); }
};

}  // namespace

struct QtUi::State {
  PixelScale scale = ScreenScale();
  UiEvents* events = nullptr;
  bool windowStandsIn = false;
  std::array<std::unique_ptr<QtWindow>, 2> windows;
  std::array<bool, 2> destroyed{};
  std::vector<std::unique_ptr<QtWindow, LaterDelete>> retired;

  // Each window is made once: one that was destroyed stays gone, so no later
  // call runs its load handler again.
  QtWindow* Live(WindowId window) {
    std::unique_ptr<QtWindow>& form = windows[Slot(window)];
    if (!form && !destroyed[Slot(window)]) {
      // Stored before it is built: the load handler already reaches the window.
      form = std::make_unique<QtWindow>(DesignOf(window), scale);
      form->SetEvents(events);
      form->Create();
      if (window == WindowId::Principal && windowStandsIn) {
        form->SetStandsIn(true);
      }
    }
    return form.get();
  }

  const QtWindow* Existing(WindowId window) const { return windows[Slot(window)].get(); }

  QtControl* Control(ControlId control) {
    QtWindow* form = Live(WindowOf(control));
    return form != nullptr ? form->Controls().Find(control) : nullptr;
  }

  const QtControl* ExistingControl(ControlId control) const {
    const QtWindow* form = Existing(WindowOf(control));
    return form != nullptr ? form->Controls().Find(control) : nullptr;
  }

  QtControls& ControlsOf(ControlId control) { return windows[Slot(WindowOf(control))]->Controls(); }
  const QtControls& ControlsOf(ControlId control) const {
    return windows[Slot(WindowOf(control))]->Controls();
  }
};

QtUi::QtUi() : state_(std::make_unique<State>()) {
  InstallAccessibility();
}

QtUi::~QtUi() = default;

void QtUi::SetEvents(UiEvents& events) {
  state_->events = &events;
  for (const auto& form : state_->windows) {
    if (form) {
      form->SetEvents(&events);
    }
  }
}

void QtUi::SetWindowStandsIn(bool standsIn) {
  state_->windowStandsIn = standsIn;
  if (const auto& form = state_->windows[Slot(WindowId::Principal)]; form) {
    form->SetStandsIn(standsIn);
  }
}

bool QtUi::Exists(WindowId window) const {
  return state_->Existing(window) != nullptr;
}

void QtUi::Load(WindowId window) {
  state_->Live(window);
}

void QtUi::Show(WindowId window) {
  if (QtWindow* form = state_->Live(window); form != nullptr) {
    form->Show();
  }
}

void QtUi::Hide(WindowId window) {
  if (QtWindow* form = state_->Live(window); form != nullptr) {
    form->Hide();
  }
}

bool QtUi::IsVisible(WindowId window) const {
  const QtWindow* form = state_->Existing(window);
  return form != nullptr && form->isVisible();
}

void QtUi::Repaint(WindowId window) {
  if (QtWindow* form = state_->Live(window); form != nullptr) {
    form->Repaint();
  }
}

void QtUi::Destroy(WindowId window) {
  state_->destroyed[Slot(window)] = true;
  std::unique_ptr<QtWindow>& form = state_->windows[Slot(window)];
  if (form) {
    form->Retire();
    state_->retired.emplace_back(form.release());
  }
}

void QtUi::SetCaption(WindowId window, std::string_view text) {
  if (QtWindow* form = state_->Live(window); form != nullptr) {
    form->SetCaption(text);
  }
}

std::string QtUi::Caption(WindowId window) const {
  const QtWindow* form = state_->Existing(window);
  return form != nullptr ? form->Caption() : std::string();
}

TwipsRect QtUi::Bounds(WindowId window) const {
  const QtWindow* form = state_->Existing(window);
  return form != nullptr ? form->Bounds() : TwipsRect{};
}

void QtUi::Move(WindowId window, float left, float top) {
  if (QtWindow* form = state_->Live(window); form != nullptr) {
    form->Move(left, top);
  }
}

bool QtUi::PlacesWindows() const {
  return PlatformPlacesWindows(QGuiApplication::platformName().toStdString());
}

std::uint32_t QtUi::Handle(WindowId window) {
  return state_->Live(window) != nullptr ? HandleOf(window) : 0;
}

std::uint32_t QtUi::Icon(WindowId window) {
  return state_->Live(window) != nullptr && DesignOf(window).hasIcon ? kWindowIconHandle : 0;
}

void QtUi::PopupMenu(WindowId window) {
  if (QtWindow* form = state_->Live(window); form != nullptr) {
    form->PopupMenu();
  }
}

std::string QtUi::Text(ControlId control) const {
  const QtControl* record = state_->ExistingControl(control);
  return record != nullptr ? state_->ControlsOf(control).Text(*record) : std::string();
}

void QtUi::SetText(ControlId control, std::string_view text) {
  if (QtControl* record = state_->Control(control); record != nullptr) {
    state_->ControlsOf(control).SetText(*record, text);
  }
}

bool QtUi::Enabled(ControlId control) const {
  const QtControl* record = state_->ExistingControl(control);
  return record != nullptr && record->ownEnabled;
}

void QtUi::SetEnabled(ControlId control, bool enabled) {
  if (QtControl* record = state_->Control(control); record != nullptr) {
    state_->ControlsOf(control).SetEnabled(*record, enabled);
  }
}

int QtUi::Value(ControlId control) const {
  const QtControl* record = state_->ExistingControl(control);
  return record != nullptr ? state_->ControlsOf(control).Value(*record) : 0;
}

void QtUi::SetValue(ControlId control, int value) {
  if (QtControl* record = state_->Control(control); record != nullptr) {
    state_->ControlsOf(control).SetValue(*record, value);
  }
}

Colour QtUi::ForeColour(ControlId control) const {
  const QtControl* record = state_->ExistingControl(control);
  return record != nullptr ? record->foreColour : kSysWindowText;
}

void QtUi::SetForeColour(ControlId control, Colour colour) {
  if (QtControl* record = state_->Control(control); record != nullptr) {
    state_->ControlsOf(control).SetForeColour(*record, colour);
  }
}

TwipsRect QtUi::ControlBounds(ControlId control) const {
  const QtControl* record = state_->ExistingControl(control);
  return record != nullptr ? state_->ControlsOf(control).Bounds(*record) : TwipsRect{};
}

void QtUi::SetControlLeft(ControlId control, float left) {
  if (QtControl* record = state_->Control(control); record != nullptr) {
    state_->ControlsOf(control).SetLeft(*record, left);
  }
}

void QtUi::SetControlWidth(ControlId control, float width) {
  if (QtControl* record = state_->Control(control); record != nullptr) {
    state_->ControlsOf(control).SetWidth(*record, width);
  }
}

float QtUi::ScaleWidth(ControlId container) const {
  const QtControl* record = state_->ExistingControl(container);
  return record != nullptr ? state_->ControlsOf(container).ScaleWidth(*record) : 0.0F;
}

bool QtUi::TimerEnabled() const {
  const QtWindow* form = state_->Existing(WindowId::Principal);
  return form != nullptr && form->TimerEnabled();
}

void QtUi::SetTimerEnabled(bool enabled) {
  if (QtWindow* form = state_->Live(WindowId::Principal); form != nullptr) {
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
