#include "platform/linux/qt_fonts.hpp"

#include "platform/linux/qt_text.hpp"

namespace nocturo::linux_desktop {

QFont FontOf(const FontDesign& design, const PixelScale& scale) {
  QFont font(ToQString(design.face));
  font.setPixelSize(scale.PointsToPixels(design.points));
  font.setBold(design.bold);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace nocturo::linux_desktop
