#pragma once

namespace nocturo {

// Twips to pixels and back at a screen's resolution (15 twips per pixel at
// 96 dots per inch). Every backend converts the designs with this arithmetic.
struct PixelScale {
  float twipsPerPixelX = 15;
  float twipsPerPixelY = 15;
  int dpiY = 96;

  // The scale at the given logical resolution; a resolution that is not
  // positive leaves the 96-dpi scale.
  static PixelScale AtDpi(int dpiX, int dpiY);

  // Rounds to the nearest pixel, a half going to the even one.
  int ToPixelsX(float twips) const;
  int ToPixelsY(float twips) const;
  float ToTwipsX(int pixels) const { return static_cast<float>(pixels) * twipsPerPixelX; }
  float ToTwipsY(int pixels) const { return static_cast<float>(pixels) * twipsPerPixelY; }
  // Font height in pixels for a size in points.
  int PointsToPixels(float points) const;
};

}  // namespace nocturo
