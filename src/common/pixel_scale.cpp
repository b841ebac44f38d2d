#include "common/pixel_scale.hpp"

#include <cmath>

namespace nocturo {
namespace {

int RoundToInt(float value) {
  return static_cast<int>(std::nearbyint(value));
}

}  // namespace

PixelScale PixelScale::AtDpi(int dpiX, int dpiY) {
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

}  // namespace nocturo
