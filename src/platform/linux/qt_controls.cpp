// Keeping a window's widgets in step with its model.
#include "platform/linux/qt_controls.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>
#include <utility>

#include "platform/linux/masked_time_line_edit.hpp"
#include "platform/linux/qt_colours.hpp"
#include "platform/linux/qt_text.hpp"
#include "ui/find_control.hpp"
#include "ui/widget_rules.hpp"

namespace nocturo::linux_desktop {
namespace {

void SetColour(QPalette& palette, QPalette::ColorRole role, const QColor& colour) {
  // The disabled look stays the desktop's: grey, whatever the program set.
  palette.setColor(QPalette::Active, role, colour);
  palette.setColor(QPalette::Inactive, role, colour);
}

}  // namespace

QtControls::QtControls(FormModel& model, const QtControlMetrics& metrics, Reports reports)
    : model_(model), metrics_(metrics), reports_(std::move(reports)) {}

QtControls::~QtControls() = default;

QtControl* QtControls::Find(ControlId id) {
  return FindControl(controls_, id);
}

const QtControl* QtControls::Find(ControlId id) const {
  return FindControl(controls_, id);
}

void QtControls::Mirror(ControlId id, ControlAspect aspect) {
  const QtControl* control = Find(id);
  if (control == nullptr) {
    return;
  }
  switch (aspect) {
    case ControlAspect::Text:
      ShowText(*control);
      break;
    case ControlAspect::Enabled:
      // Qt moves the focus on from a control that can no longer take it.
      ShowEnabled(*control);
      break;
    case ControlAspect::Value:
      ShowValue(*control);
      break;
    case ControlAspect::ForeColour:
      ShowColours(*control);
      break;
    case ControlAspect::Bounds:
      Place(*control);
      break;
  }
}

void QtControls::ShowText(const QtControl& control) {
  const ControlDesign& design = *control.design;
  QWidget* widget = control.widget;
  const QString text = ToQString(model_.Text(design.id));
  switch (design.kind) {
    case ControlKind::Panel:
    case ControlKind::Image:
      break;
    case ControlKind::MaskedTimeBox:
      control.masked->ShowModel();
      break;
    case ControlKind::Frame:
      qobject_cast<QGroupBox*>(widget)->setTitle(text);
      break;
    case ControlKind::Label:
      qobject_cast<QLabel*>(widget)->setText(text);
      break;
    case ControlKind::TextBox: {
      const QSignalBlocker quiet(widget);  // not the user's typing
      if (design.multiLine) {
        qobject_cast<QPlainTextEdit*>(widget)->setPlainText(ToLines(model_.Text(design.id)));
      } else {
        qobject_cast<QLineEdit*>(widget)->setText(text);
      }
      break;
    }
    default:
      qobject_cast<QAbstractButton*>(widget)->setText(text);
      break;
  }
}

void QtControls::ShowValue(const QtControl& control) {
  const int value = model_.Value(control.design->id);
  switch (control.design->kind) {
    case ControlKind::OptionButton:
      qobject_cast<QRadioButton*>(control.widget)->setChecked(value != 0);
      UpdateTabStops(control);
      break;
    case ControlKind::CheckBox:
      qobject_cast<QCheckBox*>(control.widget)->setCheckState(static_cast<Qt::CheckState>(value));
      break;
    default:
      break;
  }
}

void QtControls::ShowEnabled(const QtControl& control) {
  control.widget->setEnabled(model_.Usable(control.design->id));
  for (const auto& child : controls_) {
    if (child->design->parent == control.design->id) {
      ShowEnabled(*child);
    }
  }
}

// The arrow keys move the focus within an option group, skipping what cannot
// be used; a button reached that is not selected is clicked, as Windows does
// for a radio button that gets the focus from the keyboard.
void QtControls::MoveInGroup(const QtControl& control, int step) {
  const std::vector<ControlId> group = OptionGroup(control.design->id);
  const auto size = static_cast<std::ptrdiff_t>(group.size());
  const std::ptrdiff_t at =
      std::find(group.begin(), group.end(), control.design->id) - group.begin();
  for (std::ptrdiff_t n = 1; n < size; ++n) {
    const ControlId target =
        group[static_cast<std::size_t>(((at + step * n) % size + size) % size)];
    if (!model_.Usable(target)) {
      continue;
    }
    Find(target)->widget->setFocus(Qt::TabFocusReason);
    if (model_.Value(target) == 0) {
      reports_.click(target);
    }
    return;
  }
}

// Tab reaches an option group at one button; the arrow keys move within it.
void QtControls::UpdateTabStops(const QtControl& member) {
  const ControlId stop =
      OptionTabStop(member.design->id, [this](ControlId id) { return model_.Value(id); });
  for (const ControlId id : OptionGroup(member.design->id)) {
    if (const QtControl* button = Find(id); button != nullptr) {
      button->widget->setFocusPolicy(id == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
  }
}

void QtControls::ShowColours(const QtControl& control) {
  const QPalette& desktop = QApplication::palette();
  const QColor fore = ToQColor(model_.ForeColour(control.design->id), desktop);
  const QColor back = ToQColor(control.backColour, desktop);
  QPalette palette = control.widget->palette();
  SetColour(palette, QPalette::WindowText, fore);
  SetColour(palette, QPalette::Text, fore);
  SetColour(palette, QPalette::ButtonText, fore);
  switch (control.design->kind) {
    case ControlKind::TextBox:
    case ControlKind::MaskedTimeBox:
      SetColour(palette, QPalette::Base, back);
      break;
    case ControlKind::Button:
      break;  // the desktop's button face
    default:
      SetColour(palette, QPalette::Window, back);
      // A control in its kind's default colour shows what lies beneath, which
      // on Windows is that same button face; Qt's frames shade their inside.
      control.widget->setAutoFillBackground(control.design->backColour.has_value() ||
                                            control.design->kind == ControlKind::Panel);
      break;
  }
  control.widget->setPalette(palette);
}

void QtControls::Place(const QtControl& control) {
  control.widget->setGeometry(metrics_.Pixels(model_.Bounds(control.design->id)));
}

}  // namespace nocturo::linux_desktop
