#include "platform/linux/qt_control_metrics.hpp"

#include <QFontMetrics>

#include "platform/linux/qt_fonts.hpp"
#include "platform/linux/qt_text.hpp"

namespace nocturo::linux_desktop {

QtControlMetrics::QtControlMetrics(const PixelScale& scale, const QFont& windowFont)
    : scale_(scale), windowFont_(windowFont) {}

float QtControlMetrics::SnapX(float twips) const {
  return scale_.ToTwipsX(scale_.ToPixelsX(twips));
}

float QtControlMetrics::SnapY(float twips) const {
  return scale_.ToTwipsY(scale_.ToPixelsY(twips));
}

// As Windows' static text sizes itself: to the text's extent, at the
// control's width when it wraps. Measured when asked, so that a window never
// shown never loads a font.
ControlMetrics::Extent QtControlMetrics::TextExtent(const ControlDesign& label,
                                                    std::string_view text, float width) const {
  const QFontMetrics metrics(Font(label));
  const QString qtText = ToQString(text);
  if (label.wordWrap) {
    const int pixels = scale_.ToPixelsX(width);
    const QRect wrapped =
        metrics.boundingRect(QRect(0, 0, pixels, 0xFFFFFF), Qt::TextWordWrap, qtText);
    return {scale_.ToTwipsX(pixels), scale_.ToTwipsY(wrapped.height())};
  }
  return {scale_.ToTwipsX(metrics.horizontalAdvance(qtText)), scale_.ToTwipsY(metrics.height())};
}

float QtControlMetrics::ClientWidth(const ControlDesign& /*container*/, float width) const {
  return width;
}

QFont QtControlMetrics::Font(const ControlDesign& control) const {
  return control.font ? FontOf(*control.font, scale_) : windowFont_;
}

QRect QtControlMetrics::Pixels(const TwipsRect& bounds) const {
  return {scale_.ToPixelsX(bounds.left), scale_.ToPixelsY(bounds.top),
          scale_.ToPixelsX(bounds.width), scale_.ToPixelsY(bounds.height)};
}

}  // namespace nocturo::linux_desktop
