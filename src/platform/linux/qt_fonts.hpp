#pragma once

#include <QFont>

#include "common/pixel_scale.hpp"
#include "ui/design.hpp"

namespace nocturo::linux_desktop {

// A designed font at the screen's scale, its character height in pixels as on
// Windows. A face the system lacks ("Tahoma", "MS Sans Serif") is left to
// fontconfig to substitute.
QFont FontOf(const FontDesign& design, const PixelScale& scale);

}  // namespace nocturo::linux_desktop
