#include "main/application.hpp"

#include "main/header_band_layout.hpp"

namespace nocturo {

Application::Application(Platform& platform)
    : platform_(platform),
      module_(platform),
      principal_(platform, module_),
      trayCallback_(platform, module_.power()) {}

void Application::Main() {
  module_.Main();
}

void Application::OnLoad(WindowId window) {
  if (window == WindowId::Principal) {
    principal_.Load();
  }
}

void Application::OnResize(WindowId window) {
  LayoutHeaderBand(platform_.ui, HeaderBandOf(window));
}

void Application::OnClick(ControlId control) {
  switch (control) {
    case ControlId::btnEmpezar:
      principal_.BtnEmpezarClick();
      break;
    case ControlId::btnDetener:
      principal_.BtnDetenerClick();
      break;
    case ControlId::btnSalir:
      principal_.BtnSalirClick();
      break;
    case ControlId::cerrarayuda:
      platform_.ui.Hide(WindowId::AcercaDe);
      break;
    default:
      break;
  }
}

void Application::OnChange(ControlId control) {
  if (control == ControlId::txtDentroDe) {
    principal_.TxtDentroDeChange();
  } else if (control == ControlId::txtALas) {
    principal_.TxtALasChange();
  }
}

void Application::OnTimer() {
  principal_.TrApagarTimer();
}

void Application::OnMouseMove(WindowId window, float xTwips, float /*yTwips*/, bool pointerMove) {
  if (window == WindowId::AcercaDe) {
    trayCallback_.OnMouseMove(xTwips, pointerMove);
  }
}

void Application::OnMenuItem(int index) {
  trayCallback_.MnuTrayClick(index);
}

// Both windows must live for the whole run, so closing one only hides it.
void Application::OnCloseBox(WindowId window) {
  platform_.ui.Hide(window);
}

void Application::OnTaskbarCreated() {
  module_.tray().Restore();
}

}  // namespace nocturo
