#include "main/header_band_layout.hpp"

namespace nocturo {

void LayoutHeaderBand(Ui& ui, const HeaderBand& band) {
  const TwipsRect logo = ui.ControlBounds(band.logo);
  const std::optional<float> logoLeft =
      HeaderLogoLeft(ui.ScaleWidth(band.band), logo.width, logo.top);
  if (!logoLeft) {
    return;
  }
  ui.SetControlLeft(band.logo, *logoLeft);

  // Read back what the window system made of it, so both edges line up.
  const TwipsRect placedLogo = ui.ControlBounds(band.logo);
  const std::optional<float> width = HeaderDescriptionWidth(ui.ControlBounds(band.description).left,
                                                            placedLogo.left, placedLogo.top);
  if (width) {
    ui.SetControlWidth(band.description, *width);
  }
}

}  // namespace nocturo
