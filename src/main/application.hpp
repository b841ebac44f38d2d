#pragma once

#include "app/md_nocturo.hpp"
#include "platform/platform.hpp"
#include "platform/ui_events.hpp"
#include "scheduler/fr_principal.hpp"
#include "tray/tray_callback.hpp"

namespace nocturo {

// The application object: the program's only mutable state, and the receiver
// of every window-system event. The process entry point creates it, calls
// Main and then runs the platform's message loop.
class Application final : public UiEvents {
 public:
  explicit Application(Platform& platform);

  // Start-up: names the system, enables the shutdown privilege, creates the
  // About window, refuses a second copy, loads the main window (which applies
  // the command line) and adds the tray icon.
  void Main();

  void OnLoad(WindowId window) override;
  void OnResize(WindowId window) override;
  void OnClick(ControlId control) override;
  void OnChange(ControlId control) override;
  void OnTimer() override;
  void OnMouseMove(WindowId window, float xTwips, float yTwips, bool pointerMove) override;
  void OnMenuItem(int index) override;
  void OnCloseBox(WindowId window) override;
  void OnTaskbarCreated() override;

  const FrPrincipal& principal() const { return principal_; }
  const TrayCallback& trayCallback() const { return trayCallback_; }

 private:
  Platform& platform_;
  MDNocturo module_;
  FrPrincipal principal_;
  TrayCallback trayCallback_;
};

}  // namespace nocturo
