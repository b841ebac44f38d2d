#pragma once

#include <QFont>
#include <QRect>
#include <string_view>

#include "common/pixel_scale.hpp"
#include "ui/design.hpp"
#include "ui/form_model.hpp"

namespace nocturo::linux_desktop {

// How Qt shows a window's controls: whole pixels at the screen's scale, each
// control in its own font or the window's.
class QtControlMetrics final : public ControlMetrics {
 public:
  QtControlMetrics(const PixelScale& scale, const QFont& windowFont);

  float SnapX(float twips) const override;
  float SnapY(float twips) const override;
  Extent TextExtent(const ControlDesign& label, std::string_view text, float width) const override;
  // Qt's containers report their whole width.
  float ClientWidth(const ControlDesign& container, float width) const override;

  const PixelScale& scale() const { return scale_; }
  const QFont& windowFont() const { return windowFont_; }
  // Each control's own font or the window's, never its container's.
  QFont Font(const ControlDesign& control) const;
  QRect Pixels(const TwipsRect& bounds) const;

 private:
  PixelScale scale_;
  QFont windowFont_;
};

}  // namespace nocturo::linux_desktop
