#include "platform/win32/pixel_scale.hpp"

#include <cmath>

#include "platform/win32/handles.hpp"

namespace nocturo::win32 {
namespace {

int RoundToInt(float value) {
  return static_cast<int>(std::nearbyint(value));
}

}  // namespace

PixelScale PixelScale::OfScreen() {
  const WindowDc screen;
  const int dpiX = ::GetDeviceCaps(screen.get(), LOGPIXELSX);
  const int dpiY = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
  PixelScale scale;
  if (dpiX > 0 && dpiY > 0) {
    scale.twipsPerPixelX = 1440.0F / static_cast<float>(dpiX);
    scale.twipsPerPixelY = 1440.0F / static_cast<float>(dpiY);
    scale.dpiY = dpiY;
  }
  return scale;
}

int PixelScale::ToPixelsX(float twips) const {
  return RoundToInt(twips / twipsPerPixelX);
}

int PixelScale::ToPixelsY(float twips) const {
  return RoundToInt(twips / twipsPerPixelY);
}

int PixelScale::PointsToPixels(float points) const {
  return RoundToInt(points * static_cast<float>(dpiY) / 72.0F);
}

}  // namespace nocturo::win32
