#include "platform/linux/linux_platform.hpp"

#include <utility>

namespace nocturo::linux_desktop {

LinuxPlatform::LinuxPlatform(std::vector<std::string> arguments)
    : system_(ui_, std::move(arguments)),
      platform_{.ui = ui_,
                .system = system_,
                .clock = clock_,
                .settings = settings_,
                .regional = regional_} {}

void LinuxPlatform::SetEvents(UiEvents& events) {
  ui_.SetEvents(events);
  system_.SetEvents(events);
}

}  // namespace nocturo::linux_desktop
