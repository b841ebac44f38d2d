#include "platform/linux/application_id.hpp"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <string>

namespace nocturo::linux_desktop {

void ClaimWindowClass(const QWidget& window) {
  const auto* x11 =
      qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr || !window.testAttribute(Qt::WA_WState_Created)) {
    return;
  }
  // Instance and class, each ended by a null.
  std::string value = "nocturo";
  value += '\0';
  value += kApplicationId;
  value += '\0';
  xcb_change_property(x11->connection(), XCB_PROP_MODE_REPLACE,
                      static_cast<xcb_window_t>(window.winId()), XCB_ATOM_WM_CLASS, XCB_ATOM_STRING,
                      8, static_cast<std::uint32_t>(value.size()), value.data());
}

}  // namespace nocturo::linux_desktop
