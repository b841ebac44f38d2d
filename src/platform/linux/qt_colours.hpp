#pragma once

#include <QColor>
#include <QPalette>

#include "platform/control_ids.hpp"

namespace nocturo::linux_desktop {

// The program's colours as the desktop shows them now: a fixed colour as it
// is, a system colour as the palette role that plays its part.
QColor ToQColor(Colour colour, const QPalette& palette);

}  // namespace nocturo::linux_desktop
