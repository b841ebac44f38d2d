#pragma once

#include "platform/clock.hpp"
#include "platform/regional.hpp"
#include "platform/settings.hpp"
#include "platform/system.hpp"
#include "platform/ui.hpp"

namespace nocturo {

// Everything the program reaches outside itself. Each backend (Windows, or the
// simulation the tests drive) supplies one of these.
struct Platform {
  Ui& ui;
  System& system;
  Clock& clock;
  SettingsStore& settings;
  Regional& regional;
};

}  // namespace nocturo
