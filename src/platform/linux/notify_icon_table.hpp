#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

#include "platform/linux/notify_icon_data.hpp"

namespace nocturo::linux_desktop {

// An icon's identity for the shell: the window that owns it and its number.
struct IconKey {
  std::uint32_t window = 0;
  std::uint32_t id = 0;
  friend bool operator<(const IconKey& a, const IconKey& b) {
    return std::tie(a.window, a.id) < std::tie(b.window, b.id);
  }
};

// What the tray shows of one icon and where its notifications go.
struct IconState {
  std::string tooltip;
  std::uint32_t icon = 0;
  std::uint32_t callbackMessage = 0;  // 0: none was given
};

enum class IconChange { Refused, Added, Modified, Deleted };

// The shell's rules for its icons, apart from how they are drawn: an add of an
// icon already there, a change or removal of one that is not, a window that is
// not one of ours or an icon that is not the program's are refused; an add
// with no tray to show it is refused too. Only the fields the record's flags
// name are taken.
class NotifyIconTable {
 public:
  IconChange Apply(std::uint32_t message, const NotifyIconData& data, bool trayAvailable);
  // The tray went away and took every icon with it.
  void Clear() { icons_.clear(); }

  const IconState* Find(IconKey key) const;
  const std::map<IconKey, IconState>& Icons() const { return icons_; }

 private:
  std::map<IconKey, IconState> icons_;
};

}  // namespace nocturo::linux_desktop
