#pragma once

#include <optional>
#include <string_view>

namespace nocturo::linux_desktop {

// Whether the program can place its windows on this Qt platform and read back
// where they stand. A Wayland compositor does neither for its clients.
bool PlatformPlacesWindows(std::string_view platformName);

struct ScreenPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// The widths a window manager's frame adds on each side (_NET_FRAME_EXTENTS).
struct FrameExtents {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
};

// What the X server says of a shown window at one moment.
struct FrameReading {
  ScreenPoint client;  // the client area's top-left on the screen
  // A window manager has put the window into a frame window of its own.
  bool framed = false;
  std::optional<FrameExtents> extents;  // as the manager has told them, if it has
  ScreenPoint outer;                    // the top-left of the outermost window holding the client
};

// The frame's top-left corner: the client area less the frame's widths; the
// outermost window's where the manager has not told them; the client area
// itself while no manager has framed the window, since the manager then puts
// the frame where the window stands (move() asks for that).
ScreenPoint FrameTopLeft(const FrameReading& reading);

// Where a window stands as the program remembers it, in pixels. "asked" is
// where the program last put it, "placed" where the window system showed it
// first after that, "now" where the window system says it is. A window
// manager may put a window elsewhere than asked (weston's puts X11 windows
// where it likes, and tells Qt nothing of it): the place the program asked for
// then stands, moved only by as much as the window has moved since.
ScreenPoint KeptPosition(std::optional<ScreenPoint> asked, std::optional<ScreenPoint> placed,
                         ScreenPoint now);

// The frame's top-left of one window through its life: where the program put
// it, and what the X server said each time the window was read while shown.
// A manager that framed the window where it was put tells the truth from then
// on, whatever places it passed through first (KWin may frame a window at 0,0
// and paint it there before it moves it). One that never did (weston's)
// leaves the place put standing, moved by as much as the window has moved
// since its first paint. A hidden window cannot be read (its manager has let
// it go), so it stands where it was last seen, or put.
class FramePlace {
 public:
  void Asked(ScreenPoint at);
  // The window was read while shown; painted: in its paint, so placed.
  void Seen(const FrameReading& reading, bool painted);
  // Where the frame stands, as read now (a shown window) or as last known;
  // nothing when the window was never put nor read.
  std::optional<ScreenPoint> Where(const std::optional<FrameReading>& now) const;
  // Put, and neither seen where put nor painted since.
  bool Settling() const { return asked_ && !honoured_ && !painted_; }

 private:
  std::optional<ScreenPoint> asked_;
  // A manager framed the window where it was put.
  bool honoured_ = false;
  // The frame's place at the first paint after the window was put.
  std::optional<ScreenPoint> painted_;
  std::optional<ScreenPoint> last_;
};

}  // namespace nocturo::linux_desktop
