#pragma once

#include <cstdint>
#include <memory>

#include "platform/system.hpp"
#include "platform/ui.hpp"
#include "platform/ui_events.hpp"

namespace nocturo::linux_desktop {

// The notification-area icon: takes the shell's icon records the program
// builds and shows them with Qt's tray icon (a StatusNotifierItem on the
// session bus where a host watches for one, else the X11 tray); feeds the
// tray's activation and context-menu requests back as the notifications the
// program decodes, and reports a restarted tray host as a new taskbar.
class TrayHost {
 public:
  explicit TrayHost(Ui& ui);
  TrayHost(const TrayHost&) = delete;
  TrayHost& operator=(const TrayHost&) = delete;
  ~TrayHost();

  void SetEvents(UiEvents& events);
  // Shell_NotifyIcon's contract: nonzero on success.
  std::int32_t Apply(std::uint32_t message, NotifyIconBytes record);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace nocturo::linux_desktop
