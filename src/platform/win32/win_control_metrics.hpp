#pragma once

#include "platform/win32/font_cache.hpp"
#include "platform/win32/pixel_scale.hpp"
#include "ui/form_model.hpp"

namespace nocturo::win32 {

// What the screen says about one window's controls, whether or not they have
// been made: whole pixels at its scale, and texts measured in their fonts as
// the static control draws them.
class WinControlMetrics final : public ControlMetrics {
 public:
  // windowFont is the font of the controls that have none of their own.
  WinControlMetrics(const PixelScale& scale, FontCache& fonts, const FontDesign& windowFont)
      : scale_(scale), fonts_(fonts), windowFont_(windowFont) {}

  float SnapX(float twips) const override;
  float SnapY(float twips) const override;
  Extent TextExtent(const ControlDesign& label, std::string_view text, float width) const override;
  // Panels and frames have no border: their inside is all of them.
  float ClientWidth(const ControlDesign& container, float width) const override;

 private:
  PixelScale scale_;
  FontCache& fonts_;
  const FontDesign& windowFont_;
};

}  // namespace nocturo::win32
