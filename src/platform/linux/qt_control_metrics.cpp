#include "platform/linux/qt_control_metrics.hpp"

#include <QFontMetrics>

#include "platform/linux/qt_fonts.hpp"
#include "platform/linux/qt_text.hpp"

namespace nocturo::linux_desktop {

QtControlMetrics::QtControlMetrics(const PixelScale& scale, const QFont& windowFont)
    : PixelMetrics(scale), windowFont_(windowFont) {}

// As Windows' static text sizes itself: to the text's extent, at the
// control's width when it wraps. Measured when asked, so that a window never
// shown never loads a font.
ControlMetrics::Extent QtControlMetrics::TextExtent(const ControlDesign& label,
                                                    std::string_view text, float width) const {
  const QFontMetrics metrics(Font(label));
  const QString qtText = ToQString(text);
  if (label.wordWrap) {
    const int pixels = scale().ToPixelsX(width);
    const QRect wrapped =
        metrics.boundingRect(QRect(0, 0, pixels, 0xFFFFFF), Qt::TextWordWrap, qtText);
    return {scale().ToTwipsX(pixels), scale().ToTwipsY(wrapped.height())};
  }
  return {scale().ToTwipsX(metrics.horizontalAdvance(qtText)), scale().ToTwipsY(metrics.height())};
}

QFont QtControlMetrics::Font(const ControlDesign& control) const {
  return control.font ? FontOf(*control.font, scale()) : windowFont_;
}

QRect QtControlMetrics::Pixels(const TwipsRect& bounds) const {
  return {scale().ToPixelsX(bounds.left), scale().ToPixelsY(bounds.top),
          scale().ToPixelsX(bounds.width), scale().ToPixelsY(bounds.height)};
}

}  // namespace nocturo::linux_desktop
