#include "ui/header_band.hpp"

#include <algorithm>
#include <cmath>

namespace nocturo {

HeaderBand HeaderBandOf(WindowId window) {
  if (window == WindowId::Principal) {
    return {ControlId::PrincipalBanda, ControlId::PrincipalDescripcion, ControlId::PrincipalLogo};
  }
  return {ControlId::AcercaBanda, ControlId::AcercaDescripcion, ControlId::AcercaLogo};
}

std::optional<float> HeaderLogoLeft(float bandWidth, float logoWidth, float logoTop) {
  const float left = bandWidth - logoWidth - logoTop;
  return std::isfinite(left) ? std::optional(left) : std::nullopt;
}

std::optional<float> HeaderDescriptionWidth(float descriptionLeft, float logoLeft, float logoTop) {
  const float width = logoLeft - descriptionLeft - logoTop;
  return std::isfinite(width) ? std::optional(std::max(width, 0.0F)) : std::nullopt;
}

}  // namespace nocturo
