#include "tray/tray_callback.hpp"

#include "common/number_text.hpp"
#include "tray/notify_icon_record.hpp"

namespace nocturo {

void TrayCallback::OnMouseMove(float xTwips, bool pointerMove) {
  if (pointerMove) {
    return;
  }
  const float twipsPerPixel = platform_.ui.Screen().twipsPerPixelX;
  if (const auto decoded = ToInt32HalfEven(static_cast<double>(xTwips / twipsPerPixel))) {
    mensaje_ = *decoded;
  }
  if (ocupado_) {
    return;  // a notification nested in the menu's own message loop
  }
  ocupado_ = true;
  if (mensaje_ == kLeftDoubleClick) {
    platform_.ui.Show(WindowId::Principal);
  } else if (mensaje_ == kRightButtonUp) {
    platform_.ui.PopupMenu(WindowId::AcercaDe);
  }
  ocupado_ = false;
}

void TrayCallback::MnuTrayClick(int index) {
  switch (index) {
    case 1:
      platform_.ui.Show(WindowId::Principal);
      platform_.ui.Repaint(WindowId::Principal);
      break;
    case 2:
      platform_.ui.Show(WindowId::AcercaDe);
      platform_.ui.Repaint(WindowId::AcercaDe);
      break;
    case 3:
      end_.TerminarPrograma();
      break;  // not reached, the process ends in the call; no fall-through is meant
    default:
      break;
  }
}

}  // namespace nocturo
