#include "platform/linux/linux_platform.hpp"

namespace nocturo::linux_desktop {

LinuxPlatform::LinuxPlatform(const std::vector<std::string>& arguments)
    : system_(ui_, arguments),
      platform_{.ui = ui_,
                .system = system_,
                .clock = clock_,
                .settings = settings_,
                .regional = regional_} {}

void LinuxPlatform::SetEvents(UiEvents& events) {
  ui_.SetEvents(events);
  system_.SetEvents(events);
  system_.OnWindowStandsIn([this](bool standsIn) {
    ui_.SetWindowStandsIn(standsIn);
    if (standsIn) {
      system_.ShowMainWindow();
    }
  });
}

}  // namespace nocturo::linux_desktop
