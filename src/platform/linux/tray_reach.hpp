#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace nocturo::linux_desktop {

// On a desktop with no tray the icon, the program's only handle, never shows;
// there the main window stands in for it. A tray that is missing for a short
// while (a panel restarting, or starting after the program at log-in) is given
// a grace period first.
class TrayReach {
 public:
  enum class Step {
    None,
    StartGrace,  // wait for a tray; GraceOver() when the period ends
    WindowStandsIn,
    IconStandsIn,  // a tray is back: the window may be hidden again
  };

  Step IconShown();
  // An add refused for want of any tray.
  Step IconRefused();
  // The tray that showed the icon went away.
  Step TrayLost();
  Step GraceOver();

  bool IconShownNow() const { return iconShown_; }
  bool WindowStandsInNow() const { return windowStandsIn_; }

 private:
  bool iconShown_ = false;
  bool waiting_ = false;
  bool windowStandsIn_ = false;
};

// Over which window the program's own popup of a menu may show when the
// program asks for one (a host's ContextMenu, a right click in the X11 tray).
// On X11 it shows at the pointer, whatever window holds it. A Wayland client
// can show a popup only over one of its own windows that has the user's focus;
// without one, Qt makes the menu a decorated window of its own in mid-screen,
// so none shows: the panel draws the same menu from the item's DBusMenu.
enum class MenuParent { MenuWindow, FocusedWindow, None };
MenuParent PopupMenuParent(bool placesWindows, bool ownWindowFocused);

// What a second start tells the running copy: whether its command line asks
// for the main window, and the desktop's activation token, if any.
struct Knock {
  bool show = false;
  std::string token;

  friend bool operator==(const Knock&, const Knock&) = default;
};

// One line, short enough to arrive whole through a pipe.
std::string EncodeKnock(const Knock& knock);
std::optional<Knock> DecodeKnock(std::string_view line);

// The running copy comes forward when asked to show itself, or when it has no
// icon a user could reach it by; else it stays quiet, as on Windows (a daily
// scheduled start must not pop the window up).
bool ComesForward(const Knock& knock, bool iconShown);

}  // namespace nocturo::linux_desktop
