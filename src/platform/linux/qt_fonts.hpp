#pragma once

#include <QFont>

#include "common/pixel_scale.hpp"
#include "ui/design.hpp"

namespace nocturo::linux_desktop {

// A designed font at the screen's scale, its character height in pixels as on
// Windows. A face the system lacks ("Tahoma", "MS Sans Serif") is replaced by
// one of about the same width when there is one, else left to fontconfig.
QFont FontOf(const FontDesign& design, const PixelScale& scale);

}  // namespace nocturo::linux_desktop
