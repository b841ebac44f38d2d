#include "power/power_action.hpp"

#include <cstdlib>

#include "power/exit_flags.hpp"

namespace nocturo {

void PowerAction::ApagarOrdenador() {
  Ui& ui = platform_.ui;
  for (WindowId window : {WindowId::Principal, WindowId::AcercaDe}) {
    if (ui.Exists(window)) {
      ui.Hide(window);
    }
  }
  position_.GuardarPosicion();
  const std::uint32_t flags =
      ExitFlags(ui.Value(ControlId::optModo1) != 0, ui.Value(ControlId::optModo2) != 0,
                ui.Value(ControlId::chkForzado));
  platform_.system.ExitWindowsEx(flags, 0);
  TerminarPrograma();
}

void PowerAction::TerminarPrograma() {
  position_.GuardarPosicion();
  tray_.Attach();  // the icon's identity outlives the About window
  for (WindowId window : {WindowId::Principal, WindowId::AcercaDe}) {
    platform_.ui.Destroy(window);
  }
  tray_.Delete();
  platform_.system.EndProcess();
  std::abort();  // the system never comes back from ending the process
}

}  // namespace nocturo
