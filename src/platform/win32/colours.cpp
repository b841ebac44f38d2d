#include "platform/win32/colours.hpp"

#include "ui/colour_parts.hpp"

namespace nocturo::win32 {

COLORREF ToColorRef(Colour colour) {
  return IsSystemColour(colour) ? ::GetSysColor(SystemColourIndex(colour)) : (colour & 0x00FFFFFF);
}

HBRUSH BrushFor(Colour colour, UniqueBrush& owned) {
  if (IsSystemColour(colour)) {
    owned.reset();
    return ::GetSysColorBrush(SystemColourIndex(colour));
  }
  owned.reset(::CreateSolidBrush(ToColorRef(colour)));
  return owned.get();
}

}  // namespace nocturo::win32
