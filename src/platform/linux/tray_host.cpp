#include "platform/linux/tray_host.hpp"

namespace nocturo::linux_desktop {

TrayHost::TrayHost(Ui& ui) : ui_(ui) {}

TrayHost::~TrayHost() = default;

std::int32_t TrayHost::Apply(std::uint32_t /*message*/, NotifyIconBytes /*record*/) {
  return 0;
}

}  // namespace nocturo::linux_desktop
