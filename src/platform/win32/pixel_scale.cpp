#include "platform/win32/pixel_scale.hpp"

#include "platform/win32/handles.hpp"

namespace nocturo::win32 {

PixelScale ScreenPixelScale() {
  const WindowDc screen;
  return PixelScale::AtDpi(::GetDeviceCaps(screen.get(), LOGPIXELSX),
                           ::GetDeviceCaps(screen.get(), LOGPIXELSY));
}

}  // namespace nocturo::win32
