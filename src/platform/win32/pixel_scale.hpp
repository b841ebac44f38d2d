#pragma once

#include "common/pixel_scale.hpp"

namespace nocturo::win32 {

// The scale of the screen, from its logical resolution.
PixelScale ScreenPixelScale();

}  // namespace nocturo::win32
