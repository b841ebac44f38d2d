#pragma once

namespace nocturo::win32 {

// Twips to pixels and back at the screen's resolution (15 twips per pixel at
// 96 dots per inch).
struct PixelScale {
  float twipsPerPixelX = 15;
  float twipsPerPixelY = 15;
  int dpiY = 96;

  static PixelScale OfScreen();

  // Rounds to the nearest pixel, a half going to the even one.
  int ToPixelsX(float twips) const;
  int ToPixelsY(float twips) const;
  float ToTwipsX(int pixels) const { return static_cast<float>(pixels) * twipsPerPixelX; }
  float ToTwipsY(int pixels) const { return static_cast<float>(pixels) * twipsPerPixelY; }
  // Font height in pixels for a size in points.
  int PointsToPixels(float points) const;
};

}  // namespace nocturo::win32
