#include "tray/tray_icon.hpp"

#include "tray/notify_icon_record.hpp"

namespace nocturo {

void TrayIcon::Attach() {
  if (window_ == 0) {
    window_ = ui_.Handle(WindowId::AcercaDe);
  }
}

void TrayIcon::Add() {
  Attach();
  const std::uint32_t icon = ui_.Icon(WindowId::Principal);  // loads the main window
  tooltip_ = TooltipFor({});
  system_.ShellNotifyIcon(kNimAdd, BuildNotifyIconRecord(window_, icon, tooltip_));
  added_ = true;
}

void TrayIcon::ActualizarBandeja(std::string_view text) {
  Attach();
  tooltip_ = TooltipFor(text);
  const std::uint32_t icon = ui_.Icon(WindowId::Principal);
  system_.ShellNotifyIcon(kNimModify, BuildNotifyIconRecord(window_, icon, tooltip_));
}

void TrayIcon::Delete() {
  Attach();
  system_.ShellNotifyIcon(kNimDelete, BuildNotifyIconDeleteRecord(window_));
  added_ = false;
}

void TrayIcon::Restore() {
  if (!added_) {
    return;
  }
  const std::uint32_t icon = ui_.Icon(WindowId::Principal);
  system_.ShellNotifyIcon(kNimAdd, BuildNotifyIconRecord(window_, icon, tooltip_));
}

}  // namespace nocturo
