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
class QtControlMetrics final : public PixelMetrics {
 public:
  QtControlMetrics(const PixelScale& scale, const QFont& windowFont);

  Extent TextExtent(const ControlDesign& label, std::string_view text, float width) const override;

  const QFont& windowFont() const { return windowFont_; }
  // Each control's own font or the window's, never its container's.
  QFont Font(const ControlDesign& control) const;
  QRect Pixels(const TwipsRect& bounds) const;

 private:
  QFont windowFont_;
};

}  // namespace nocturo::linux_desktop
