#include "platform/linux/qt_fonts.hpp"

#include <QStringList>

#include "platform/linux/qt_text.hpp"

namespace nocturo::linux_desktop {

namespace {

// Where the designed face is missing, faces of about its width come before
// whatever fontconfig would pick (often a much wider one), so that captions
// fit the controls the designer sized for them.
QStringList FacesFor(const FontDesign& design) {
  return {ToQString(design.face), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
          QStringLiteral("Arial"), QStringLiteral("Nimbus Sans")};
}

}  // namespace

QFont FontOf(const FontDesign& design, const PixelScale& scale) {
  QFont font;
  font.setFamilies(FacesFor(design));
  font.setPixelSize(scale.PointsToPixels(design.points));
  font.setBold(design.bold);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace nocturo::linux_desktop
