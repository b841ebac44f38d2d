#include "platform/linux/qt_colours.hpp"

#include "ui/colour_parts.hpp"

namespace nocturo::linux_desktop {
namespace {

// The Windows system colour indexes the designs use, and their neighbours.
QPalette::ColorRole RoleOf(int systemIndex) {
  switch (systemIndex) {
    case 5:  // COLOR_WINDOW: the background of text boxes
      return QPalette::Base;
    case 8:  // COLOR_WINDOWTEXT
      return QPalette::Text;
    case 13:  // COLOR_HIGHLIGHT
      return QPalette::Highlight;
    case 14:  // COLOR_HIGHLIGHTTEXT
      return QPalette::HighlightedText;
    case 16:  // COLOR_BTNSHADOW
      return QPalette::Dark;
    case 18:  // COLOR_BTNTEXT
      return QPalette::ButtonText;
    case 20:  // COLOR_BTNHIGHLIGHT
      return QPalette::Light;
    case 17:  // COLOR_GRAYTEXT
      return QPalette::PlaceholderText;
    case 15:  // COLOR_BTNFACE: dialogs and buttons
    default:
      return QPalette::Window;
  }
}

}  // namespace

QColor ToQColor(Colour colour, const QPalette& palette) {
  if (IsSystemColour(colour)) {
    return palette.color(QPalette::Active, RoleOf(SystemColourIndex(colour)));
  }
  const Rgb rgb = RgbOf(colour);
  return {rgb.red, rgb.green, rgb.blue};
}

}  // namespace nocturo::linux_desktop
