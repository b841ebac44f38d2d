#pragma once

#include <QPoint>
#include <functional>
#include <optional>

#include "ui/design.hpp"

class QMenu;
class QObject;
class QWidget;

namespace nocturo::linux_desktop {

// A design's menu as Qt shows it. Each action carries its item's index, the
// number the program hears when the item is chosen, wherever the menu is
// drawn: by Qt at the pointer, or by a panel from the menu Qt exports.
void AddMenuItems(QMenu& menu, const MenuDesign& design);

// Pops the design's menu up at a point over parent and waits for the user; the
// index of the item chosen, if any.
std::optional<int> ChooseMenuItem(QWidget& parent, const MenuDesign& design, QPoint at);

// Each item of a menu that something else pops up (a panel, through the menu
// Qt exports) is reported by index when chosen, once control is back in the
// event loop: a D-Bus caller has its reply first, and a menu gone meanwhile is
// no matter. context ends the reports.
void ReportChosenItems(QMenu& menu, QObject& context, const std::function<void(int)>& report);

}  // namespace nocturo::linux_desktop
