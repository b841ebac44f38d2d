#pragma once

#include <QCheckBox>
#include <QRadioButton>
#include <functional>

namespace nocturo::linux_desktop {

// Option buttons and the check box change state only as the program says: a
// click reports itself and the controls apply the widget rules, as Windows'
// non-automatic buttons do. Qt's own exclusivity is not used.
class OptionButtonWidget final : public QRadioButton {
  // A class name of its own, so that the accessibility factory for it is
  // asked before Qt's, which would present it as a check box.
  Q_OBJECT

 public:
  // Arrow keys move within the group; step is -1 or +1.
  using ArrowHandler = std::function<void(int step)>;

  OptionButtonWidget(const QString& caption, QWidget* parent, ArrowHandler onArrow);

 protected:
  void nextCheckState() override {}
  void keyPressEvent(QKeyEvent* event) override;

 private:
  ArrowHandler onArrow_;
};

class CheckBoxWidget final : public QCheckBox {
 public:
  CheckBoxWidget(const QString& caption, QWidget* parent);

 protected:
  void nextCheckState() override {}
};

}  // namespace nocturo::linux_desktop
