#include "platform/linux/qt_buttons.hpp"

#include <QKeyEvent>
#include <utility>

namespace nocturo::linux_desktop {

OptionButtonWidget::OptionButtonWidget(const QString& caption, QWidget* parent,
                                       ArrowHandler onArrow)
    : QRadioButton(caption, parent), onArrow_(std::move(onArrow)) {
  setAutoExclusive(false);
}

void OptionButtonWidget::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
      onArrow_(-1);
      return;
    case Qt::Key_Down:
    case Qt::Key_Right:
      onArrow_(1);
      return;
    default:
      QRadioButton::keyPressEvent(event);
  }
}

CheckBoxWidget::CheckBoxWidget(const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent) {
  setTristate(true);
}

}  // namespace nocturo::linux_desktop
