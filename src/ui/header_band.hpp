#pragma once

#include <optional>

#include "platform/control_ids.hpp"

namespace nocturo {

// The header band's parts in one window.
struct HeaderBand {
  ControlId band;
  ControlId description;
  ControlId logo;
};

HeaderBand HeaderBandOf(WindowId window);

// The header band's layout, in twips: the logo at the band's right end, the
// description stretched up to it. The logo's top margin serves as its right
// margin and as the gap before it. Nothing when the result is not finite.
std::optional<float> HeaderLogoLeft(float bandWidth, float logoWidth, float logoTop);
// A band too narrow for the description holds its width at 0.
std::optional<float> HeaderDescriptionWidth(float descriptionLeft, float logoLeft, float logoTop);

}  // namespace nocturo
