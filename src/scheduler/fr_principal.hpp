#pragma once

#include <cstdint>
#include <optional>

#include "app/md_nocturo.hpp"
#include "platform/platform.hpp"

namespace nocturo {

// The main window's handlers: the countdown, its schedule and its controls.
// The window is counting exactly while its timer is enabled.
class FrPrincipal {
 public:
  FrPrincipal(Platform& platform, MDNocturo& module) : platform_(platform), module_(module) {}

  // The load handler: status, caption, a proposed time one hour ahead, the
  // stored position, then the command line.
  void Load();

  // The timer's tick: one second less, the display refreshed, and the action
  // on the tick that reaches zero.
  void TrApagarTimer();

  // Start: the count for the schedule in force, then counting. Invalid input
  // changes nothing.
  void BtnEmpezarClick();
  // Stop, or continue: resume the count in the within mode, recompute it from
  // the clock in the at-time mode.
  void BtnDetenerClick();
  void BtnSalirClick();
  void TxtDentroDeChange();
  void TxtALasChange();

  std::int32_t SegundosRestantes() const { return segundosRestantes_; }

 private:
  void ActualizarTiempo();
  void PonerDetenido(bool detenido);
  std::optional<std::int32_t> SecondsWithin() const;
  std::optional<std::int32_t> SecondsUntilTime() const;
  void ApplyCommandLine();

  Platform& platform_;
  MDNocturo& module_;
  std::int32_t segundosRestantes_ = 0;
};

}  // namespace nocturo
