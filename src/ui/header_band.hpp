#pragma once

#include "platform/ui.hpp"

namespace nocturo {

// The header band's parts in one window.
struct HeaderBand {
  ControlId band;
  ControlId description;
  ControlId logo;
};

HeaderBand HeaderBandOf(WindowId window);

// Keeps the logo at the band's right end and stretches the description up to
// it. The logo's top margin serves as its right margin and as the gap before
// it. A band too narrow for the description holds its width at 0.
void LayoutHeaderBand(Ui& ui, const HeaderBand& band);

}  // namespace nocturo
