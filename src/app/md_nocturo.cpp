#include "app/md_nocturo.hpp"

#include "app/os_version.hpp"
#include "app/shutdown_privilege.hpp"

namespace nocturo {

void MDNocturo::Main() {
  const OsVersion version = QueryOsVersion(platform_.system);
  // Every NT-family system needs the privilege to power off or restart, the
  // ones the program cannot name as much as the others.
  if (version.platformId == kPlatformWin32Nt) {
    HabilitarApagado(platform_.system);
  }
  platform_.ui.SetText(ControlId::LBsistemaoperativo, SistemaOperativo(version));

  if (platform_.system.PreviousInstanceRunning()) {
    platform_.system.EndProcess();
  }
  tray_.Add();
}

}  // namespace nocturo
