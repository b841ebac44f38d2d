#include "platform/linux/notify_icon_table.hpp"

#include <utility>

#include "platform/linux/window_handles.hpp"
#include "tray/notify_icon_record.hpp"

namespace nocturo::linux_desktop {
namespace {

// Copies the fields the flags name; false when the record names an icon this
// process never handed out.
bool Take(const NotifyIconData& data, IconState& state) {
  if ((data.flags & kNifIcon) != 0) {
    if (data.icon != kWindowIconHandle) {
      return false;
    }
    state.icon = data.icon;
  }
  if ((data.flags & kNifTip) != 0) {
    state.tooltip = data.tooltip;
  }
  if ((data.flags & kNifMessage) != 0) {
    state.callbackMessage = data.callbackMessage;
  }
  return true;
}

}  // namespace

IconChange NotifyIconTable::Apply(std::uint32_t message, const NotifyIconData& data,
                                  bool trayAvailable) {
  if (!WindowOfHandle(data.window)) {
    return IconChange::Refused;
  }
  const IconKey key{data.window, data.id};
  const auto found = icons_.find(key);
  switch (message) {
    case kNimAdd: {
      if (found != icons_.end() || !trayAvailable) {
        return IconChange::Refused;
      }
      IconState state;
      if (!Take(data, state)) {
        return IconChange::Refused;
      }
      icons_.emplace(key, std::move(state));
      return IconChange::Added;
    }
    case kNimModify: {
      if (found == icons_.end()) {
        return IconChange::Refused;
      }
      IconState state = found->second;
      if (!Take(data, state)) {
        return IconChange::Refused;
      }
      found->second = std::move(state);
      return IconChange::Modified;
    }
    case kNimDelete:
      if (found == icons_.end()) {
        return IconChange::Refused;
      }
      icons_.erase(found);
      return IconChange::Deleted;
    default:
      return IconChange::Refused;
  }
}

const IconState* NotifyIconTable::Find(IconKey key) const {
  const auto found = icons_.find(key);
  return found == icons_.end() ? nullptr : &found->second;
}

}  // namespace nocturo::linux_desktop
