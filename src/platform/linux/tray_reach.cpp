#include "platform/linux/tray_reach.hpp"

#include <cstddef>

namespace nocturo::linux_desktop {
namespace {

constexpr std::size_t kTokenLimit = 256;

// A token travels as one word of printable ASCII; anything else is no token
// a desktop hands out.
bool TokenCharacter(char c) {
  return c > ' ' && c < 0x7F;
}

}  // namespace

TrayReach::Step TrayReach::IconShown() {
  iconShown_ = true;
  waiting_ = false;
  if (windowStandsIn_) {
    windowStandsIn_ = false;
    return Step::IconStandsIn;
  }
  return Step::None;
}

// At start, and when a new tray host refuses the icon it was told to take
// back, the tray may yet come: the grace period runs first.
TrayReach::Step TrayReach::IconRefused() {
  iconShown_ = false;
  if (waiting_ || windowStandsIn_) {
    return Step::None;
  }
  waiting_ = true;
  return Step::StartGrace;
}

TrayReach::Step TrayReach::TrayLost() {
  if (!iconShown_) {
    return Step::None;
  }
  return IconRefused();
}

TrayReach::Step TrayReach::GraceOver() {
  if (!waiting_) {
    return Step::None;
  }
  waiting_ = false;
  if (iconShown_ || windowStandsIn_) {
    return Step::None;
  }
  windowStandsIn_ = true;
  return Step::WindowStandsIn;
}

MenuParent PopupMenuParent(bool placesWindows, bool ownWindowFocused) {
  if (placesWindows) {
    return MenuParent::MenuWindow;
  }
  return ownWindowFocused ? MenuParent::FocusedWindow : MenuParent::None;
}

std::string EncodeKnock(const Knock& knock) {
  std::string line = knock.show ? "S" : "-";
  if (!knock.token.empty() && knock.token.size() <= kTokenLimit) {
    bool plain = true;
    for (const char c : knock.token) {
      plain = plain && TokenCharacter(c);
    }
    if (plain) {
      line += ' ';
      line += knock.token;
    }
  }
  return line + '\n';
}

std::optional<Knock> DecodeKnock(std::string_view line) {
  if (line.empty() || (line[0] != 'S' && line[0] != '-')) {
    return std::nullopt;
  }
  Knock knock{.show = line[0] == 'S', .token = {}};
  line.remove_prefix(1);
  if (line.empty()) {
    return knock;
  }
  if (line[0] != ' ' || line.size() == 1 || line.size() > kTokenLimit + 1) {
    return std::nullopt;
  }
  line.remove_prefix(1);
  for (const char c : line) {
    if (!TokenCharacter(c)) {
      return std::nullopt;
    }
  }
  knock.token = std::string(line);
  return knock;
}

bool ComesForward(const Knock& knock, bool iconShown) {
  return knock.show || !iconShown;
}

}  // namespace nocturo::linux_desktop
