#pragma once

#include <string>
#include <string_view>

#include "platform/system.hpp"
#include "platform/ui.hpp"

namespace nocturo {

// The program's one notification-area icon: identified by the About window's
// handle and the id 1, pictured with the main window's icon.
class TrayIcon {
 public:
  TrayIcon(Ui& ui, System& system) : ui_(ui), system_(system) {}

  // Takes the About window's handle, the icon's identity for the shell. The
  // delete at exit needs it after that window is gone.
  void Attach();

  // Adds the icon with the tooltip "Nocturo".
  void Add();
  // ActualizarBandeja: the tooltip for the given remaining-time text, or the
  // program's name alone for an empty text.
  void ActualizarBandeja(std::string_view text);
  // Removes the icon, using the handle it was added under.
  void Delete();
  // The taskbar was rebuilt and every icon with it: add ours again, with the
  // tooltip it had, if it had been added.
  void Restore();

 private:
  Ui& ui_;
  System& system_;
  bool added_ = false;
  std::uint32_t window_ = 0;
  std::string tooltip_ = "Nocturo";
};

}  // namespace nocturo
