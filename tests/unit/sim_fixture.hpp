#pragma once

#include <string>

#include "main/application.hpp"
#include "platform/sim/sim_platform.hpp"

namespace nocturo::testing {

// One program on one simulated machine.
struct Program {
  sim::SimPlatform machine;
  Application app{machine.platform()};

  Program() { machine.ui.SetEvents(app); }

  // Start-up as the entry point runs it; false when the process ended.
  bool Start(std::string commandLine = {}) {
    machine.system.commandLine = std::move(commandLine);
    return machine.Run([&] { app.Main(); });
  }
  bool Click(ControlId control) {
    bool clicked = false;
    const bool alive = machine.Run([&] { clicked = machine.ui.Click(control); });
    return alive && clicked;
  }
  bool Tick(int seconds = 1) { return machine.AdvanceSeconds(seconds); }

  sim::SimUi& ui() { return machine.ui; }
  sim::SimSystem& system() { return machine.system; }
  const FrPrincipal& principal() const { return app.principal(); }
  std::string Text(ControlId control) const { return machine.ui.Text(control); }
  // What the user saw last, even once the window is gone.
  std::string ShownText(ControlId control) const { return machine.ui.ShownText(control); }
};

}  // namespace nocturo::testing
