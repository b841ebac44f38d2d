#pragma once

#include <cstdint>

#include "platform/system.hpp"
#include "platform/ui.hpp"
#include "platform/ui_events.hpp"

namespace nocturo::linux_desktop {

// The notification-area icon: takes the shell's icon records the program
// builds and shows them on the desktop's tray; feeds the tray's activation and
// context-menu requests back as the notifications the program decodes.
class TrayHost {
 public:
  explicit TrayHost(Ui& ui);
  TrayHost(const TrayHost&) = delete;
  TrayHost& operator=(const TrayHost&) = delete;
  ~TrayHost();

  void SetEvents(UiEvents& events) { events_ = &events; }
  // Shell_NotifyIcon's contract: nonzero on success.
  std::int32_t Apply(std::uint32_t message, NotifyIconBytes record);

 private:
  Ui& ui_;
  UiEvents* events_ = nullptr;
};

}  // namespace nocturo::linux_desktop
