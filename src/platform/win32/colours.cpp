#include "platform/win32/colours.hpp"

namespace nocturo::win32 {
namespace {

constexpr Colour kSystemColourFlag = 0x80000000;

bool IsSystemColour(Colour colour) {
  return (colour & kSystemColourFlag) != 0;
}
int SystemIndex(Colour colour) {
  return static_cast<int>(colour & 0xFF);
}

}  // namespace

COLORREF ToColorRef(Colour colour) {
  return IsSystemColour(colour) ? ::GetSysColor(SystemIndex(colour)) : (colour & 0x00FFFFFF);
}

HBRUSH BrushFor(Colour colour, UniqueBrush& owned) {
  if (IsSystemColour(colour)) {
    owned.reset();
    return ::GetSysColorBrush(SystemIndex(colour));
  }
  owned.reset(::CreateSolidBrush(ToColorRef(colour)));
  return owned.get();
}

}  // namespace nocturo::win32
