#pragma once

#include <QWidget>
#include <optional>

#include "platform/linux/window_placement.hpp"

namespace nocturo::linux_desktop {

// Reads a top-level window's place and its window manager's frame straight
// from the X server. Qt's frameGeometry() keeps the frame it saw first, which
// is none when Qt looked before the manager had framed the window, and then
// reports the client area as the frame for good. Nothing off X11 or before
// the window exists.
std::optional<FrameReading> ReadFrame(const QWidget& window);

}  // namespace nocturo::linux_desktop
