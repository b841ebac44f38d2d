#pragma once

#include "platform/platform.hpp"
#include "platform/ui_events.hpp"
#include "platform/win32/common_controls.hpp"
#include "platform/win32/registry_settings.hpp"
#include "platform/win32/win_clock.hpp"
#include "platform/win32/win_regional.hpp"
#include "platform/win32/win_system.hpp"
#include "platform/win32/win_ui.hpp"

namespace nocturo::win32 {

// Everything the program reaches outside itself, on Windows, and the message
// loop that drives it.
class Win32Platform {
 public:
  Win32Platform();
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Platform& AsPlatform() { return platform_; }
  void SetEvents(UiEvents& events) { ui_.SetEvents(events); }
  // Runs until WM_QUIT; the program normally ends the process from inside.
  int RunMessageLoop();

 private:
  CommonControls commonControls_;  // before the windows: their controls need it to the end
  WinUi ui_{commonControls_};
  WinSystem system_;
  WinClock clock_;
  RegistrySettings settings_;
  WinRegional regional_;
  Platform platform_;
};

}  // namespace nocturo::win32
