#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/system.hpp"
#include "platform/ui.hpp"
#include "platform/ui_events.hpp"

namespace nocturo::linux_desktop {

// The notification-area icon: takes the shell's icon records the program
// builds and shows them with Qt's tray icon (a StatusNotifierItem on the
// session bus where a host watches for one, else the X11 tray); feeds the
// tray's activation and context-menu requests back as the notifications the
// program decodes, and reports a tray host that appears, however late, as a
// new taskbar.
class TrayHost {
 public:
  explicit TrayHost(Ui& ui);
  TrayHost(const TrayHost&) = delete;
  TrayHost& operator=(const TrayHost&) = delete;
  ~TrayHost();

  void SetEvents(UiEvents& events);
  // Where no tray shows the icon for a while, the main window must stand in
  // for it: told true then, and false once an icon shows again.
  void OnWindowStandsIn(std::function<void(bool)> changed);
  // Whether a tray shows the program's icon now.
  bool IconShown() const;
  // As a double-click on the icon does, through the program's own handler.
  void ShowMainWindow();
  // Shell_NotifyIcon's contract: nonzero on success.
  std::int32_t Apply(std::uint32_t message, NotifyIconBytes record);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace nocturo::linux_desktop
