#pragma once

#include "platform/ui.hpp"
#include "ui/header_band.hpp"

namespace nocturo {

// Lays out a window's header band for its present width.
void LayoutHeaderBand(Ui& ui, const HeaderBand& band);

}  // namespace nocturo
