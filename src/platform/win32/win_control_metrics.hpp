#pragma once

#include "platform/win32/font_cache.hpp"
#include "platform/win32/pixel_scale.hpp"
#include "ui/form_model.hpp"

namespace nocturo::win32 {

// What the screen says about one window's controls, whether or not they have
// been made: whole pixels at its scale, and texts measured in their fonts as
// the static control draws them.
class WinControlMetrics final : public PixelMetrics {
 public:
  // windowFont is the font of the controls that have none of their own.
  WinControlMetrics(const PixelScale& scale, FontCache& fonts, const FontDesign& windowFont)
      : PixelMetrics(scale), fonts_(fonts), windowFont_(windowFont) {}

  Extent TextExtent(const ControlDesign& label, std::string_view text, float width) const override;

 private:
  FontCache& fonts_;
  const FontDesign& windowFont_;
};

}  // namespace nocturo::win32
