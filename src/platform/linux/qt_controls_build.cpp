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

// Windows' static text wraps words unless it sizes itself to one line.
bool LabelWraps(const ControlDesign& design) {
  return design.wordWrap || !design.autoSize || design.align != Align::Left;
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

}  // namespace

void QtControls::Order(std::optional<ControlId> parent) {
  const WindowDesign& design = model_.design();
  std::vector<const ControlDesign*> children;
  for (const ControlDesign& control : design.controls) {
    if (control.parent == parent) {
      children.push_back(&control);
    }
  }
  std::stable_sort(
      children.begin(), children.end(),
      [](const ControlDesign* a, const ControlDesign* b) { return TabKey(*a) < TabKey(*b); });
  for (const ControlDesign* child : children) {
    auto& control = *controls_.emplace_back(std::make_unique<QtControl>());
    control.design = child;
    control.backColour = BackColourOf(*child);
    if (child->kind == ControlKind::Panel || child->kind == ControlKind::Frame) {
      Order(child->id);
    }
  }
}

// Containers come before what they hold, so each parent's widget is there.
void QtControls::Realize(QWidget& form) {
  if (!controls_.empty()) {
    return;  // made already
  }
  model_.SettleSizes();
  Order(std::nullopt);
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

QWidget* QtControls::CreateWidget(QtControl& control, QWidget& parentWidget) {
  const ControlDesign& design = *control.design;
  const ControlId id = design.id;
  switch (design.kind) {
    case ControlKind::Panel:
      return new QWidget(&parentWidget);
    case ControlKind::Frame:
      return new QGroupBox(&parentWidget);
    case ControlKind::Label: {
      auto* label = new QLabel(&parentWidget);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(HorizontalAlignment(design.align) | Qt::AlignTop);
      label->setWordWrap(LabelWraps(design));
      return label;
    }
    case ControlKind::Image: {
      auto* image = new QLabel(&parentWidget);
      image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      image->setPixmap(QIcon(QStringLiteral(":/nocturo/logo.ico")).pixmap(kLogoPixels));
      return image;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(&parentWidget);
      // Enter clicks the focused button, as in a dialog box.
      button->setAutoDefault(true);
      QObject::connect(button, &QPushButton::clicked, button, [this, id] { reports_.click(id); });
      return button;
    }
    case ControlKind::TextBox: {
      if (design.multiLine) {
        auto* text = new QPlainTextEdit(&parentWidget);
        text->setReadOnly(design.readOnly);
        text->setTabChangesFocus(true);
        text->setVerticalScrollBarPolicy(design.verticalScroll ? Qt::ScrollBarAlwaysOn
                                                               : Qt::ScrollBarAsNeeded);
        text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        if (design.readOnly) {
          text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        }
        QObject::connect(text, &QPlainTextEdit::textChanged, text, [this, id, text] {
          if (!text->isReadOnly()) {
            reports_.edit(id, FromLines(text->toPlainText()));
          }
        });
        return text;
      }
      auto* edit = new QLineEdit(&parentWidget);
      edit->setAlignment(HorizontalAlignment(design.align) | Qt::AlignVCenter);
      edit->setReadOnly(design.readOnly);
      if (design.maxLength > 0) {
        edit->setValidator(new LengthLimit(design.maxLength, edit));
      }
      // Typing, and a screen reader's or voice control's writes, which Qt
      // does not count as edits.
      QObject::connect(edit, &QLineEdit::textChanged, edit,
                       [this, id](const QString& text) { reports_.edit(id, ToUtf8(text)); });
      return edit;
    }
    case ControlKind::MaskedTimeBox: {
      auto* masked = new MaskedTimeLineEdit(&parentWidget, *model_.Time(id),
                                            [this, id] { reports_.editedTime(id); });
      control.masked = masked;
      return masked;
    }
    case ControlKind::OptionButton: {
      auto* option = new OptionButtonWidget(
          QString(), &parentWidget, [this, &control](int step) { MoveInGroup(control, step); });
      QObject::connect(option, &QRadioButton::clicked, option, [this, id] { reports_.click(id); });
      return option;
    }
    case ControlKind::CheckBox: {
      auto* check = new CheckBoxWidget(QString(), &parentWidget);
      QObject::connect(check, &QCheckBox::clicked, check, [this, id] { reports_.click(id); });
      return check;
    }
  }
  return new QWidget(&parentWidget);
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
