#include "platform/linux/qt_accessibility.hpp"

#include <QAccessible>
#include <QAccessibleWidget>

#include "platform/linux/qt_buttons.hpp"
#include "platform/linux/qt_text.hpp"
#include "platform/linux/qt_window.hpp"

namespace nocturo::linux_desktop {
namespace {

// Qt would call a button that is checkable but not auto-exclusive a check box.
class OptionButtonAccessible final : public QAccessibleWidget {
 public:
  explicit OptionButtonAccessible(OptionButtonWidget* button)
      : QAccessibleWidget(button, QAccessible::RadioButton) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
      return WithoutAccelerator(Button()->text());
    }
    return QAccessibleWidget::text(t);
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = Button()->isChecked();
    return state;
  }

  QStringList actionNames() const override {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
  }

  void doAction(const QString& actionName) override {
    if (actionName == pressAction() && Button()->isEnabled()) {
      Button()->click();
      return;
    }
    QAccessibleWidget::doAction(actionName);
  }

 private:
  OptionButtonWidget* Button() const { return qobject_cast<OptionButtonWidget*>(widget()); }
};

QAccessibleInterface* Factory(const QString& /*key*/, QObject* object) {
  if (auto* option = dynamic_cast<OptionButtonWidget*>(object)) {
    return new OptionButtonAccessible(option);
  }
  if (auto* window = dynamic_cast<QtWindow*>(object)) {
    return new QAccessibleWidget(window, QAccessible::Window);
  }
  return nullptr;
}

}  // namespace

void InstallAccessibility() {
  QAccessible::installFactory(&Factory);
}

}  // namespace nocturo::linux_desktop
