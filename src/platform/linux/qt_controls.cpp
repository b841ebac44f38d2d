// The Ui operations on a window's controls.
#include "platform/linux/qt_controls.hpp"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <algorithm>
#include <utility>

#include "platform/linux/masked_time_line_edit.hpp"
#include "platform/linux/qt_colours.hpp"
#include "platform/linux/qt_text.hpp"
#include "ui/widget_rules.hpp"

namespace nocturo::linux_desktop {
namespace {

bool IsOption(const QtControl& control) {
  return control.design->kind == ControlKind::OptionButton;
}

// The read-me shows lines; its text keeps Windows' line ends.
std::string MultiLineText(const QPlainTextEdit& text) {
  QString lines = text.toPlainText();
  lines.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return ToUtf8(lines);
}

void SetMultiLineText(QPlainTextEdit& text, std::string_view value) {
  QString lines = ToQString(value);
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.setPlainText(lines);
}

void SetColour(QPalette& palette, QPalette::ColorRole role, const QColor& colour) {
  // The disabled look stays the desktop's: grey, whatever the program set.
  palette.setColor(QPalette::Active, role, colour);
  palette.setColor(QPalette::Inactive, role, colour);
}

}  // namespace

QtControls::QtControls(const PixelScale& scale, Reports reports)
    : scale_(scale), reports_(std::move(reports)) {}

QtControls::~QtControls() = default;

QtControl* QtControls::Find(ControlId id) {
  for (const auto& control : controls_) {
    if (control->design->id == id) {
      return control.get();
    }
  }
  return nullptr;
}

const QtControl* QtControls::Find(ControlId id) const {
  for (const auto& control : controls_) {
    if (control->design->id == id) {
      return control.get();
    }
  }
  return nullptr;
}

std::string QtControls::Text(const QtControl& control) const {
  QWidget* widget = control.widget;
  switch (control.design->kind) {
    case ControlKind::MaskedTimeBox:
      return control.masked->ModelText();
    case ControlKind::Frame:
      return ToUtf8(qobject_cast<QGroupBox*>(widget)->title());
    case ControlKind::Panel:
    case ControlKind::Image:
      return {};
    case ControlKind::Label:
      return ToUtf8(qobject_cast<QLabel*>(widget)->text());
    case ControlKind::TextBox:
      if (control.design->multiLine) {
        const auto* text = qobject_cast<const QPlainTextEdit*>(widget);
        return text != nullptr ? MultiLineText(*text) : control.pendingText;
      }
      return ToUtf8(qobject_cast<QLineEdit*>(widget)->text());
    case ControlKind::Button:
    case ControlKind::OptionButton:
    case ControlKind::CheckBox:
      return ToUtf8(qobject_cast<QAbstractButton*>(widget)->text());
  }
  return {};
}

void QtControls::SetText(QtControl& control, std::string_view text) {
  QWidget* widget = control.widget;
  switch (control.design->kind) {
    case ControlKind::MaskedTimeBox:
      // A write by the program: not reported as a change.
      control.masked->SetModelText(text);
      return;
    case ControlKind::Frame:
      qobject_cast<QGroupBox*>(widget)->setTitle(ToQString(text));
      return;
    case ControlKind::Panel:
    case ControlKind::Image:
      return;
    case ControlKind::Label:
      qobject_cast<QLabel*>(widget)->setText(ToQString(text));
      if (control.design->autoSize) {
        if (realized_) {
          AutoSize(control);
        } else {
          control.sizePending = true;
        }
      }
      return;
    case ControlKind::TextBox:
      if (control.design->multiLine) {
        if (auto* box = qobject_cast<QPlainTextEdit*>(widget); box != nullptr) {
          SetMultiLineText(*box, text);
        } else {
          control.pendingText = std::string(text);
        }
      } else {
        qobject_cast<QLineEdit*>(widget)->setText(ToQString(text));
      }
      // A text box reports the program's writes as it reports typing, even of
      // the text it already holds.
      reports_.change(control.design->id);
      return;
    case ControlKind::Button:
    case ControlKind::OptionButton:
    case ControlKind::CheckBox:
      qobject_cast<QAbstractButton*>(widget)->setText(ToQString(text));
      return;
  }
}

void QtControls::SetEnabled(QtControl& control, bool enabled) {
  control.ownEnabled = enabled;
  // Qt moves the focus on from a control that can no longer take it.
  ApplyEnabled(control);
}

void QtControls::ApplyEnabled(QtControl& control) {
  control.widget->setEnabled(Usable(control));
  for (const auto& child : controls_) {
    if (child->design->parent == control.design->id) {
      ApplyEnabled(*child);
    }
  }
}

bool QtControls::Usable(const QtControl& control) const {
  return EnabledWithContainers(control.design->id,
                               [this](ControlId id) { return Find(id)->ownEnabled; });
}

int QtControls::Value(const QtControl& control) const {
  switch (control.design->kind) {
    case ControlKind::OptionButton:
      return qobject_cast<QRadioButton*>(control.widget)->isChecked() ? 1 : 0;
    case ControlKind::CheckBox:
      return static_cast<int>(qobject_cast<QCheckBox*>(control.widget)->checkState());
    default:
      return 0;
  }
}

void QtControls::SetValue(QtControl& control, int value) {
  if (IsOption(control)) {
    if (value != 0) {
      SelectOption(control);
    } else {
      qobject_cast<QRadioButton*>(control.widget)->setChecked(false);
      UpdateTabStops(control);
    }
  } else if (control.design->kind == ControlKind::CheckBox) {
    qobject_cast<QCheckBox*>(control.widget)
        ->setCheckState(static_cast<Qt::CheckState>(std::clamp(value, 0, 2)));
  }
}

// A user's click (mouse, Space or accelerator): the button takes the state
// the rules give it, then the program hears of it.
void QtControls::Clicked(QtControl& control) {
  if (IsOption(control)) {
    SelectOption(control);
  } else if (control.design->kind == ControlKind::CheckBox) {
    qobject_cast<QCheckBox*>(control.widget)
        ->setCheckState(static_cast<Qt::CheckState>(CheckValueAfterClick(Value(control))));
  }
  reports_.click(control.design->id);
}

void QtControls::SelectOption(const QtControl& control) {
  for (const ControlId member : OptionGroup(control.design->id)) {
    qobject_cast<QRadioButton*>(Find(member)->widget)->setChecked(member == control.design->id);
  }
  UpdateTabStops(control);
}

// The arrow keys move the focus within an option group, skipping what cannot
// be used; a button reached that is not selected is clicked, as Windows does
// for a radio button that gets the focus from the keyboard.
void QtControls::MoveInGroup(QtControl& control, int step) {
  const std::vector<ControlId> group = OptionGroup(control.design->id);
  const auto size = static_cast<std::ptrdiff_t>(group.size());
  const std::ptrdiff_t at =
      std::find(group.begin(), group.end(), control.design->id) - group.begin();
  for (std::ptrdiff_t n = 1; n < size; ++n) {
    QtControl& target =
        *Find(group[static_cast<std::size_t>(((at + step * n) % size + size) % size)]);
    if (!Usable(target)) {
      continue;
    }
    target.widget->setFocus(Qt::TabFocusReason);
    if (Value(target) == 0) {
      Clicked(target);
    }
    return;
  }
}

// Tab reaches an option group at its selected button (or its first when none
// is selected); the arrow keys move within it.
void QtControls::UpdateTabStops(const QtControl& member) {
  const std::vector<ControlId> group = OptionGroup(member.design->id);
  if (group.empty()) {
    return;
  }
  const auto selected = std::find_if(group.begin(), group.end(),
                                     [this](ControlId id) { return Value(*Find(id)) != 0; });
  const ControlId stop = selected != group.end() ? *selected : group.front();
  for (const ControlId id : group) {
    Find(id)->widget->setFocusPolicy(id == stop ? Qt::StrongFocus : Qt::ClickFocus);
  }
}

void QtControls::SetForeColour(QtControl& control, Colour colour) {
  control.foreColour = colour;
  ApplyColours(control);
}

void QtControls::ApplyColours(QtControl& control) {
  const QPalette& desktop = QApplication::palette();
  const QColor fore = ToQColor(control.foreColour, desktop);
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

TwipsRect QtControls::Bounds(const QtControl& control) const {
  QRect rect = control.widget->geometry();
  if (control.sizePending) {
    rect.setSize(AutoSizeExtent(control));
  }
  return TwipsRect{scale_.ToTwipsX(rect.x()), scale_.ToTwipsY(rect.y()),
                   scale_.ToTwipsX(rect.width()), scale_.ToTwipsY(rect.height())};
}

void QtControls::SetLeft(QtControl& control, float left) {
  control.widget->move(scale_.ToPixelsX(left), control.widget->y());
}

void QtControls::SetWidth(QtControl& control, float width) {
  if (control.sizePending) {
    AutoSize(control);  // a label's own width only until the program sets one
  }
  // A control cannot be narrower than nothing.
  control.widget->resize(std::max(scale_.ToPixelsX(width), 0), control.widget->height());
}

float QtControls::ScaleWidth(const QtControl& control) const {
  return scale_.ToTwipsX(control.sizePending ? AutoSizeExtent(control).width()
                                             : control.widget->width());
}

}  // namespace nocturo::linux_desktop
