#include "platform/linux/qt_menu.hpp"

#include <QAction>
#include <QMenu>

#include "platform/linux/qt_text.hpp"

namespace nocturo::linux_desktop {

void AddMenuItems(QMenu& menu, const MenuDesign& design) {
  menu.setObjectName(ToQString(design.name));
  for (const MenuItemDesign& item : design.items) {
    QAction* action = menu.addAction(ToQString(item.caption));
    action->setData(item.index);
  }
}

std::optional<int> ChooseMenuItem(QWidget& parent, const MenuDesign& design, QPoint at) {
  QMenu menu(&parent);
  AddMenuItems(menu, design);
  // An item can also be chosen without the pointer (a screen reader's or voice
  // control's action triggers it directly), which leaves exec() waiting: the
  // triggered item is recorded and the menu closed either way.
  std::optional<int> chosen;
  QObject::connect(&menu, &QMenu::triggered, &menu, [&menu, &chosen](const QAction* action) {
    chosen = action->data().toInt();
    menu.close();
  });
  menu.exec(at);
  return chosen;
}

void ReportChosenItems(QMenu& menu, QObject& context, const std::function<void(int)>& report) {
  for (const QAction* action : menu.actions()) {
    QObject::connect(
        action, &QAction::triggered, &context,
        [report, index = action->data().toInt()] { report(index); }, Qt::QueuedConnection);
  }
}

}  // namespace nocturo::linux_desktop
