#include "platform/linux/window_placement.hpp"

namespace nocturo::linux_desktop {

bool PlatformPlacesWindows(std::string_view platformName) {
  // "wayland", "wayland-egl", "wayland-xcomposite-glx"...
  return !platformName.starts_with("wayland");
}

ScreenPoint FrameTopLeft(const FrameReading& reading) {
  if (!reading.framed) {
    return reading.client;
  }
  if (reading.extents) {
    return {reading.client.x - reading.extents->left, reading.client.y - reading.extents->top};
  }
  return reading.outer;
}

ScreenPoint KeptPosition(std::optional<ScreenPoint> asked, std::optional<ScreenPoint> placed,
                         ScreenPoint now) {
  if (!asked || !placed) {
    return now;
  }
  return {asked->x + now.x - placed->x, asked->y + now.y - placed->y};
}

void FramePlace::Asked(ScreenPoint at) {
  asked_ = at;
  honoured_ = false;
  painted_.reset();
  last_ = at;
}

void FramePlace::Seen(const FrameReading& reading, bool painted) {
  const ScreenPoint frame = FrameTopLeft(reading);
  if (asked_ && reading.framed && frame == *asked_) {
    honoured_ = true;
  }
  if (asked_ && painted && !painted_) {
    painted_ = frame;
  }
  last_ = Where(reading);
}

std::optional<ScreenPoint> FramePlace::Where(const std::optional<FrameReading>& now) const {
  if (!now) {
    return last_;
  }
  const ScreenPoint frame = FrameTopLeft(*now);
  if (honoured_) {
    return frame;
  }
  // Until its first paint, the window is on its way to where it was put.
  if (asked_ && !painted_) {
    return asked_;
  }
  return KeptPosition(asked_, painted_, frame);
}

}  // namespace nocturo::linux_desktop
