#pragma once

#include <QWidget>
#include <string_view>

namespace nocturo::linux_desktop {

// The program's AppStream id, its project site's name reversed, which names
// its launcher (.desktop) and icon too. Docks and task switchers find the
// launcher, and with it the name and icon, from a window's Wayland app_id or
// X11 WM_CLASS: both must be this.
inline constexpr std::string_view kApplicationId = "org.example.nocturo";

// Gives the X11 window the class kApplicationId (instance "nocturo"); Qt
// names the class after the application's name, which is the tray item's
// title. Before each show, as a window manager reads it when it maps a
// window. Nothing off X11.
void ClaimWindowClass(const QWidget& window);

}  // namespace nocturo::linux_desktop
