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
      return widget != nullptr ? control.masked->ModelText() : control.time.Text();
    case ControlKind::Panel:
    case ControlKind::Image:
      return {};
    default:
      break;
  }
  if (widget == nullptr) {
    return control.text;
  }
  switch (control.design->kind) {
    case ControlKind::Frame:
      return ToUtf8(qobject_cast<QGroupBox*>(widget)->title());
    case ControlKind::Label:
      return ToUtf8(qobject_cast<QLabel*>(widget)->text());
    case ControlKind::TextBox:
      if (control.design->multiLine) {
        return FromLines(qobject_cast<QPlainTextEdit*>(widget)->toPlainText());
      }
      return ToUtf8(qobject_cast<QLineEdit*>(widget)->text());
    default:
      return ToUtf8(qobject_cast<QAbstractButton*>(widget)->text());
  }
}

void QtControls::SetText(QtControl& control, std::string_view text) {
  const ControlDesign& design = *control.design;
  switch (design.kind) {
    case ControlKind::MaskedTimeBox:
      // A write by the program: not reported as a change.
      if (control.masked != nullptr) {
        control.masked->SetModelText(text);
      } else {
        control.time.SetText(text);
      }
      return;
    case ControlKind::Panel:
    case ControlKind::Image:
      return;
    default:
      break;
  }
  if (QWidget* widget = control.widget; widget == nullptr) {
    // Kept as the box will give it back.
    control.text = design.multiLine ? FromLines(ToLines(text)) : std::string(text);
    control.sizePending = design.kind == ControlKind::Label && design.autoSize;
  } else if (design.kind == ControlKind::Frame) {
    qobject_cast<QGroupBox*>(widget)->setTitle(ToQString(text));
  } else if (design.kind == ControlKind::Label) {
    qobject_cast<QLabel*>(widget)->setText(ToQString(text));
    if (design.autoSize) {
      AutoSize(control);
    }
  } else if (design.kind == ControlKind::TextBox && design.multiLine) {
    qobject_cast<QPlainTextEdit*>(widget)->setPlainText(ToLines(text));
  } else if (design.kind == ControlKind::TextBox) {
    qobject_cast<QLineEdit*>(widget)->setText(ToQString(text));
  } else {
    qobject_cast<QAbstractButton*>(widget)->setText(ToQString(text));
  }
  // A text box reports the program's writes as it reports typing, even of
  // the text it already holds.
  if (design.kind == ControlKind::TextBox) {
    reports_.change(design.id);
  }
}

void QtControls::SetEnabled(QtControl& control, bool enabled) {
  control.ownEnabled = enabled;
  // Qt moves the focus on from a control that can no longer take it.
  ApplyEnabled(control);
}

void QtControls::ApplyEnabled(QtControl& control) {
  if (control.widget == nullptr) {
    return;  // a widget is made in the state its containers give it
  }
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
      if (control.widget == nullptr) {
        return control.value != 0 ? 1 : 0;
      }
      return qobject_cast<QRadioButton*>(control.widget)->isChecked() ? 1 : 0;
    case ControlKind::CheckBox:
      if (control.widget == nullptr) {
        return std::clamp(control.value, 0, 2);
      }
      return static_cast<int>(qobject_cast<QCheckBox*>(control.widget)->checkState());
    default:
      return 0;
  }
}

void QtControls::SetValue(QtControl& control, int value) {
  if (IsOption(control)) {
    if (value != 0) {
      SelectOption(control);
    } else if (control.widget == nullptr) {
      control.value = 0;
    } else {
      qobject_cast<QRadioButton*>(control.widget)->setChecked(false);
      UpdateTabStops(control);
    }
  } else if (control.design->kind == ControlKind::CheckBox) {
    if (control.widget == nullptr) {
      control.value = std::clamp(value, 0, 2);
    } else {
      qobject_cast<QCheckBox*>(control.widget)
          ->setCheckState(static_cast<Qt::CheckState>(std::clamp(value, 0, 2)));
    }
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
    QtControl& other = *Find(member);
    if (other.widget == nullptr) {
      other.value = member == control.design->id ? 1 : 0;
    } else {
      qobject_cast<QRadioButton*>(other.widget)->setChecked(member == control.design->id);
    }
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
    if (QWidget* widget = Find(id)->widget; widget != nullptr) {
      widget->setFocusPolicy(id == stop ? Qt::StrongFocus : Qt::ClickFocus);
    }
  }
}

void QtControls::SetForeColour(QtControl& control, Colour colour) {
  control.foreColour = colour;
  ApplyColours(control);
}

void QtControls::ApplyColours(QtControl& control) {
  if (control.widget == nullptr) {
    return;
  }
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

QRect QtControls::Geometry(const QtControl& control) {
  return control.widget != nullptr ? control.widget->geometry() : control.geometry;
}

void QtControls::Place(QtControl& control, const QRect& geometry) {
  if (control.widget != nullptr) {
    control.widget->setGeometry(geometry);
  } else {
    control.geometry = geometry;
  }
}

TwipsRect QtControls::Bounds(const QtControl& control) const {
  QRect rect = Geometry(control);
  if (control.sizePending) {
    rect.setSize(AutoSizeExtent(control, rect.width()));
  }
  return TwipsRect{scale_.ToTwipsX(rect.x()), scale_.ToTwipsY(rect.y()),
                   scale_.ToTwipsX(rect.width()), scale_.ToTwipsY(rect.height())};
}

void QtControls::SetLeft(QtControl& control, float left) {
  QRect rect = Geometry(control);
  rect.moveLeft(scale_.ToPixelsX(left));
  Place(control, rect);
}

void QtControls::SetWidth(QtControl& control, float width) {
  if (control.sizePending) {
    AutoSize(control);  // a label has its text's size until given a width
  }
  QRect rect = Geometry(control);
  // A control cannot be narrower than nothing.
  rect.setWidth(std::max(scale_.ToPixelsX(width), 0));
  Place(control, rect);
}

float QtControls::ScaleWidth(const QtControl& control) const {
  return scale_.ToTwipsX(Geometry(control).width());
}

}  // namespace nocturo::linux_desktop
