#pragma once

#include <string>
#include <vector>

#include "platform/linux/linux_clock.hpp"
#include "platform/linux/linux_regional.hpp"
#include "platform/linux/linux_system.hpp"
#include "platform/linux/qt_ui.hpp"
#include "platform/linux/xdg_settings.hpp"
#include "platform/platform.hpp"
#include "platform/ui_events.hpp"

namespace nocturo::linux_desktop {

// Everything the program reaches outside itself, on a Linux desktop. The Qt
// application object must exist before this is made.
class LinuxPlatform {
 public:
  explicit LinuxPlatform(const std::vector<std::string>& arguments);
  LinuxPlatform(const LinuxPlatform&) = delete;
  LinuxPlatform& operator=(const LinuxPlatform&) = delete;
  ~LinuxPlatform() = default;

  Platform& AsPlatform() { return platform_; }
  void SetEvents(UiEvents& events);

 private:
  QtUi ui_;
  LinuxSystem system_;
  LinuxClock clock_;
  XdgSettings settings_;
  LinuxRegional regional_;
  Platform platform_;
};

}  // namespace nocturo::linux_desktop
