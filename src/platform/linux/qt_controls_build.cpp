// Making a window's widgets from its model.
#include <QFontMetricsF>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QValidator>
#include <algorithm>

#include "platform/linux/masked_time_line_edit.hpp"
#include "platform/linux/qt_buttons.hpp"
#include "platform/linux/qt_controls.hpp"
#include "platform/linux/qt_text.hpp"
#include "ui/widget_rules.hpp"

namespace nocturo::linux_desktop {
namespace {

constexpr int kLogoPixels = 32;
// Windows' edit controls stop tabs every 32 dialog units: eight average
// characters.
constexpr qreal kTabStopCharacters = 8;

// The user may not make the text longer than the limit; the program's own
// writes are not limited, as with Windows' edit control, and a text already
// too long may still be shortened.
class LengthLimit final : public QValidator {
 public:
  LengthLimit(int maxLength, QLineEdit* edit)
      : QValidator(edit), maxLength_(maxLength), edit_(edit) {}

  State validate(QString& input, int& /*position*/) const override {
    return input.size() <= maxLength_ || input.size() <= edit_->text().size() ? Acceptable
                                                                              : Invalid;
  }

 private:
  int maxLength_;
  QLineEdit* edit_;
};

Qt::Alignment HorizontalAlignment(Align align) {
  switch (align) {
    case Align::Centre:
      return Qt::AlignHCenter;
    case Align::Right:
      return Qt::AlignRight;
    case Align::Left:
      break;
  }
  return Qt::AlignLeft;
}

bool TakesTabFocus(const QWidget& widget) {
  return (widget.focusPolicy() & Qt::TabFocus) != 0;
}

// The caption a screen reader gives a control that has none of its own: the
// nearest control of that kind placed before (or after) it in its container.
const ControlDesign* Neighbour(const ControlDesign& control, const WindowDesign& design,
                               ControlKind kind, bool before) {
  const ControlDesign* found = nullptr;
  bool passed = false;
  for (const ControlDesign& other : design.controls) {
    if (&other == &control) {
      passed = true;
      if (before) {
        return found;
      }
      continue;
    }
    if (other.parent == control.parent && other.kind == kind && !other.caption.empty()) {
      if (!before && passed) {
        return &other;
      }
      found = &other;
    }
  }
  return before ? found : nullptr;
}

QWidget* CreateLabel(const ControlDesign& design, QWidget& parent) {
  auto* label = new QLabel(&parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(HorizontalAlignment(design.align) | Qt::AlignTop);
  label->setWordWrap(LabelWraps(design));
  return label;
}

QWidget* CreateImage(QWidget& parent) {
  auto* image = new QLabel(&parent);
  image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  image->setPixmap(QIcon(QStringLiteral(":/nocturo/logo.ico")).pixmap(kLogoPixels));
  return image;
}

QWidget* CreateButton(ControlId id, QWidget& parent, const QtControls::Reports& reports) {
  auto* button = new QPushButton(&parent);
  // Enter clicks the focused button, as in a dialog box.
  button->setAutoDefault(true);
  QObject::connect(button, &QPushButton::clicked, button, [&reports, id] { reports.click(id); });
  return button;
}

QWidget* CreateTextArea(const ControlDesign& design, QWidget& parent,
                        const QtControls::Reports& reports) {
  auto* text = new QPlainTextEdit(&parent);
  text->setReadOnly(design.readOnly);
  text->setTabChangesFocus(true);
  text->setVerticalScrollBarPolicy(design.verticalScroll ? Qt::ScrollBarAlwaysOn
                                                         : Qt::ScrollBarAsNeeded);
  text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  if (design.readOnly) {
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  }
  const ControlId id = design.id;
  QObject::connect(text, &QPlainTextEdit::textChanged, text, [&reports, id, text] {
    if (!text->isReadOnly()) {
      reports.edit(id, FromLines(text->toPlainText()));
    }
  });
  return text;
}

QWidget* CreateLineEdit(const ControlDesign& design, QWidget& parent,
                        const QtControls::Reports& reports) {
  auto* edit = new QLineEdit(&parent);
  edit->setAlignment(HorizontalAlignment(design.align) | Qt::AlignVCenter);
  edit->setReadOnly(design.readOnly);
  if (design.maxLength > 0) {
    edit->setValidator(new LengthLimit(design.maxLength, edit));
  }
  // Typing, and a screen reader's or voice control's writes, which Qt does
  // not count as edits.
  const ControlId id = design.id;
  QObject::connect(edit, &QLineEdit::textChanged, edit,
                   [&reports, id](const QString& text) { reports.edit(id, ToUtf8(text)); });
  return edit;
}

QWidget* CreateCheckBox(ControlId id, QWidget& parent, const QtControls::Reports& reports) {
  auto* check = new CheckBoxWidget(QString(), &parent);
  QObject::connect(check, &QCheckBox::clicked, check, [&reports, id] { reports.click(id); });
  return check;
}

}  // namespace

void QtControls::Order() {
  VisitInCreationOrder(model_.design(), [this](const ControlDesign& design) {
    auto& control = *controls_.emplace_back(std::make_unique<QtControl>());
    control.design = &design;
    control.backColour = BackColourOf(design);
  });
}

// Containers come before what they hold, so each parent's widget is there.
void QtControls::Realize(QWidget& form) {
  if (!controls_.empty()) {
    return;  // made already
  }
  model_.SettleSizes();
  Order();
  std::vector<QWidget*> tabChain;
  for (const auto& owned : controls_) {
    QtControl& control = *owned;
    const ControlDesign& design = *control.design;
    QWidget& parentWidget = design.parent ? *Find(*design.parent)->widget : form;
    QWidget* widget = CreateWidget(control, parentWidget);
    control.widget = widget;
    widget->setFont(metrics_.Font(design));
    // Created in tab order, which is also the order a screen reader goes
    // through them; the few pixels where Windows would stack them the other
    // way round (the read-me's top edge) do not matter.
    Place(control);
    ShowText(control);
    ShowColours(control);
    if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
      text->setTabStopDistance(QFontMetricsF(widget->font()).averageCharWidth() *
                               kTabStopCharacters);
    }
    if (TakesTabFocus(*widget)) {
      tabChain.push_back(widget);
    }
  }
  for (std::size_t i = 1; i < tabChain.size(); ++i) {
    QWidget::setTabOrder(tabChain[i - 1], tabChain[i]);
  }
  // Once every widget is there: an option's tab stop depends on its group.
  for (const auto& control : controls_) {
    if (!model_.Usable(control->design->id)) {
      control->widget->setEnabled(false);
    }
    ShowValue(*control);
    Name(*control);
  }
}

QWidget* QtControls::CreateWidget(QtControl& control, QWidget& parent) {
  const ControlDesign& design = *control.design;
  switch (design.kind) {
    case ControlKind::Panel:
      return new QWidget(&parent);
    case ControlKind::Frame:
      return new QGroupBox(&parent);
    case ControlKind::Label:
      return CreateLabel(design, parent);
    case ControlKind::Image:
      return CreateImage(parent);
    case ControlKind::Button:
      return CreateButton(design.id, parent, reports_);
    case ControlKind::TextBox:
      return design.multiLine ? CreateTextArea(design, parent, reports_)
                              : CreateLineEdit(design, parent, reports_);
    case ControlKind::MaskedTimeBox:
      return CreateTimeBox(control, parent);
    case ControlKind::OptionButton:
      return CreateOption(control, parent);
    case ControlKind::CheckBox:
      return CreateCheckBox(design.id, parent, reports_);
  }
  return new QWidget(&parent);
}

QWidget* QtControls::CreateTimeBox(QtControl& control, QWidget& parent) {
  const ControlId id = control.design->id;
  auto* masked =
      new MaskedTimeLineEdit(&parent, *model_.Time(id), [this, id] { reports_.editedTime(id); });
  control.masked = masked;
  return masked;
}

QWidget* QtControls::CreateOption(QtControl& control, QWidget& parent) {
  const ControlId id = control.design->id;
  auto* option = new OptionButtonWidget(QString(), &parent,
                                        [this, &control](int step) { MoveInGroup(control, step); });
  QObject::connect(option, &QRadioButton::clicked, option, [this, id] { reports_.click(id); });
  return option;
}

// Names for screen readers and for the tests that find the controls: each
// widget is named as in the program (with its index in an array); controls
// without a caption of their own are read by the design's neighbouring texts.
void QtControls::Name(const QtControl& control) {
  const WindowDesign& design = model_.design();
  const ControlDesign& d = *control.design;
  QString objectName = ToQString(d.name);
  if (d.index != 0) {
    objectName += QString::number(d.index);
  }
  control.widget->setObjectName(objectName);
  switch (d.kind) {
    case ControlKind::Panel:
      for (const ControlDesign& child : design.controls) {
        if (child.parent == d.id && !child.caption.empty()) {
          control.widget->setAccessibleName(ToQString(child.caption));
          break;
        }
      }
      break;
    case ControlKind::Image:
      control.widget->setAccessibleName(ToQString(FrPrincipalDesign().caption));
      break;
    case ControlKind::TextBox:
    case ControlKind::MaskedTimeBox:
      if (d.multiLine) {
        const std::string_view text = InitialText(d);
        control.widget->setAccessibleName(ToQString(text.substr(0, text.find('\r'))));
      } else {
        if (const ControlDesign* owner = Neighbour(d, design, ControlKind::OptionButton, true)) {
          control.widget->setAccessibleName(WithoutAccelerator(ToQString(owner->caption)));
        }
        if (const ControlDesign* unit = Neighbour(d, design, ControlKind::Label, false)) {
          control.widget->setAccessibleDescription(ToQString(unit->caption));
        }
      }
      break;
    default:
      break;  // Qt reads the caption
  }
}

}  // namespace nocturo::linux_desktop
