#include "scheduler/fr_principal.hpp"

#include <string>

#include "common/number_text.hpp"
#include "common/time_of_day.hpp"
#include "scheduler/command_line.hpp"
#include "scheduler/countdown_text.hpp"
#include "scheduler/schedule.hpp"

namespace nocturo {
namespace {

using enum ControlId;

}  // namespace

void FrPrincipal::ActualizarTiempo() {
  Ui& ui = platform_.ui;
  // The tooltip shows the previous refresh: one second behind the display.
  module_.tray().ActualizarBandeja(ui.Text(lblMinRestantes));
  ui.SetText(lblMinRestantes, RemainingTimeText(segundosRestantes_));

  if (segundosRestantes_ > kWarningSeconds) {
    if (ui.ForeColour(lblAtencion) != kBlack) {
      ui.SetForeColour(lblAtencion, kBlack);
    }
    if (ui.Text(lblAtencion) != kContando) {
      ui.SetText(lblAtencion, kContando);
    }
  } else {
    ui.SetForeColour(lblAtencion, ui.ForeColour(lblAtencion) == kBlack ? kDarkRed : kBlack);
    if (ui.Text(lblAtencion) != kAtencion) {
      ui.SetText(lblAtencion, kAtencion);
    }
  }
}

void FrPrincipal::PonerDetenido(bool detenido) {
  Ui& ui = platform_.ui;
  ui.SetEnabled(btnEmpezar, detenido);
  ui.SetTimerEnabled(!detenido);
  ui.SetEnabled(frDesconexion, detenido);
  ui.SetEnabled(FrModo, detenido);
  if (detenido) {
    module_.tray().ActualizarBandeja({});
    ui.SetText(lblAtencion, kDetenido);
  } else {
    ui.SetText(btnDetener, "&Detener");
    ActualizarTiempo();
  }
}

void FrPrincipal::TrApagarTimer() {
  // A count always starts at one or more, so it meets zero on its way down.
  segundosRestantes_ -= 1;
  ActualizarTiempo();
  if (segundosRestantes_ == 0) {
    platform_.ui.SetTimerEnabled(false);
    module_.power().ApagarOrdenador();
  }
}

std::optional<std::int32_t> FrPrincipal::SecondsWithin() const {
  const auto minutes =
      ParseNumber(platform_.ui.Text(txtDentroDe), platform_.regional.DecimalSeparator());
  if (!minutes) {
    return std::nullopt;
  }
  return SecondsForMinutes(*minutes);
}

std::optional<std::int32_t> FrPrincipal::SecondsUntilTime() const {
  const auto target = ParseTimeOfDay(platform_.ui.Text(txtALas));
  if (!target) {
    return std::nullopt;
  }
  const DateTime now = platform_.clock.Now();
  return SecondsUntil(*target, {.hour = now.hour, .minute = now.minute, .second = now.second});
}

void FrPrincipal::BtnEmpezarClick() {
  const bool withinMode = platform_.ui.Value(optDesconexion1) != 0;
  const auto seconds = withinMode ? SecondsWithin() : SecondsUntilTime();
  if (!seconds) {
    return;
  }
  segundosRestantes_ = *seconds;
  platform_.ui.SetEnabled(btnDetener, true);
  PonerDetenido(false);
}

void FrPrincipal::BtnDetenerClick() {
  Ui& ui = platform_.ui;
  if (ui.TimerEnabled()) {
    ui.SetText(btnDetener, "C&ontinuar");
    PonerDetenido(true);
  } else if (ui.Value(optDesconexion1) != 0) {
    PonerDetenido(false);
  } else if (ParseTimeOfDay(ui.Text(txtALas))) {
    BtnEmpezarClick();
  }
}

void FrPrincipal::BtnSalirClick() {
  platform_.ui.Hide(WindowId::Principal);
}

void FrPrincipal::TxtDentroDeChange() {
  platform_.ui.SetValue(optDesconexion1, 1);
}

void FrPrincipal::TxtALasChange() {
  platform_.ui.SetValue(optDesconexion2, 1);
}

void FrPrincipal::Load() {
  Ui& ui = platform_.ui;
  ui.SetText(lblAtencion, kDetenido);
  const ProgramVersion version = platform_.system.Version();
  ui.SetCaption(WindowId::Principal,
                "Nocturo v" + std::to_string(version.major) + "." + std::to_string(version.minor));
  const DateTime now = platform_.clock.Now();
  ui.SetText(txtALas,
             FormatHms({.hour = (now.hour + 1) % 24, .minute = now.minute, .second = now.second}));
  module_.position().Restore();
  ApplyCommandLine();
}

void FrPrincipal::ApplyCommandLine() {
  Ui& ui = platform_.ui;
  const CommandLineOptions options =
      ParseCommandLine(platform_.system.CommandLine(), platform_.regional.DecimalSeparator());
  if (options.atTime) {
    ui.SetText(txtALas, FormatHms(*options.atTime));
    ui.SetValue(optDesconexion2, 1);
  }
  if (options.withinMinutes) {
    ui.SetText(txtDentroDe, std::to_string(*options.withinMinutes));
    ui.SetValue(optDesconexion1, 1);
  }
  if (options.powerOff) {
    ui.SetValue(optModo1, 1);
  }
  if (options.restart) {
    ui.SetValue(optModo2, 1);
  }
  if (options.logOff) {
    ui.SetValue(optModo3, 1);
  }
  if (options.force) {
    ui.SetValue(chkForzado, 1);
  }
  if (options.start) {
    BtnEmpezarClick();
  }
  if (options.show) {
    ui.Show(WindowId::Principal);
  }
  if (options.immediate) {
    module_.power().ApagarOrdenador();
  }
}

}  // namespace nocturo
