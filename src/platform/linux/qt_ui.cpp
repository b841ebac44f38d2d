#include "platform/linux/qt_ui.hpp"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>
#include <string_view>

#include "platform/linux/qt_accessibility.hpp"
#include "platform/linux/window_handles.hpp"
#include "platform/linux/window_placement.hpp"
#include "ui/design.hpp"

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

// The menu the program pops up for its tray icon: the About window's, which
// owns the icon.
const MenuDesign& TrayMenu() {
  return DesignOf(WindowId::AcercaDe).menu;
}

}  // namespace

void LaterDelete::operator()(QtWindow* window) const {
  if (window->Alive()) {
    delete window;
  } else {
    window->deleteLater();
  }
}

QtUi::QtUi() : scale_(ScreenScale()) {
  InstallAccessibility();
}

QtUi::FormPtr QtUi::Make(WindowId window) {
  FormPtr form(
      new QtWindow(DesignOf(window), scale_,
                   {.click = [this](ControlId id) { UserClick(id); },
                    .edit = [this](ControlId id, std::string_view text) { UserEdit(id, text); },
                    .editedTime = [this](ControlId id) { UserEditedTime(id); }}));
  if (window == WindowId::Principal && windowStandsIn_) {
    form->SetStandsIn(true, TrayMenu());
  }
  return form;
}

void QtUi::SetWindowStandsIn(bool standsIn) {
  windowStandsIn_ = standsIn;
  if (QtWindow* form = Existing(WindowId::Principal); form != nullptr) {
    form->SetStandsIn(standsIn, TrayMenu());
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

ScreenMetrics QtUi::Screen() const {
  ScreenMetrics metrics{.twipsPerPixelX = scale_.twipsPerPixelX,
                        .twipsPerPixelY = scale_.twipsPerPixelY};
  if (const QScreen* screen = QGuiApplication::primaryScreen(); screen != nullptr) {
    const QRect area = screen->availableGeometry();
    metrics.width = scale_.ToTwipsX(area.width());
    metrics.height = scale_.ToTwipsY(area.height());
  }
  return metrics;
}

}  // namespace nocturo::linux_desktop
