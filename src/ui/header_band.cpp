#include "ui/header_band.hpp"

#include <cmath>

namespace nocturo {

HeaderBand HeaderBandOf(WindowId window) {
  if (window == WindowId::Principal) {
    return {ControlId::PrincipalBanda, ControlId::PrincipalDescripcion, ControlId::PrincipalLogo};
  }
  return {ControlId::AcercaBanda, ControlId::AcercaDescripcion, ControlId::AcercaLogo};
}

void LayoutHeaderBand(Ui& ui, const HeaderBand& band) {
  const TwipsRect logo = ui.ControlBounds(band.logo);
  const float logoLeft = ui.ScaleWidth(band.band) - logo.width - logo.top;
  if (!std::isfinite(logoLeft)) {
    return;
  }
  ui.SetControlLeft(band.logo, logoLeft);

  // Read back what the window system made of it, so both edges line up.
  const float descriptionLeft = ui.ControlBounds(band.description).left;
  const TwipsRect placedLogo = ui.ControlBounds(band.logo);
  float width = placedLogo.left - descriptionLeft - placedLogo.top;
  if (!std::isfinite(width)) {
    return;
  }
  if (width < 0) {
    width = 0;
  }
  ui.SetControlWidth(band.description, width);
}

}  // namespace nocturo
