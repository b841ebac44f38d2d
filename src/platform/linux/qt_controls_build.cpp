// Building a window's controls from its design table.
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
#include "platform/linux/qt_fonts.hpp"
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

void QtControls::Build(QWidget& form, const WindowDesign& design, const QFont& windowFont) {
  form_ = &form;
  windowDesign_ = &design;
  windowFont_ = windowFont;
  Record(std::nullopt, design);
}

void QtControls::Record(std::optional<ControlId> parent, const WindowDesign& design) {
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
    control.ownEnabled = child->enabled;
    control.backColour = BackColourOf(*child);
    control.foreColour = child->foreColour.value_or(kSysWindowText);
    control.text = child->multiLine ? std::string(InitialText(*child)) : child->caption;
    control.value = child->value;
    control.geometry = QRect(scale_.ToPixelsX(child->left), scale_.ToPixelsY(child->top),
                             scale_.ToPixelsX(child->width), scale_.ToPixelsY(child->height));
    control.sizePending = child->kind == ControlKind::Label && child->autoSize;
    if (child->kind == ControlKind::Panel || child->kind == ControlKind::Frame) {
      Record(child->id, design);
    }
  }
}

// Containers come before what they hold, so each parent's widget is there.
void QtControls::Realize() {
  if (controls_.empty() || controls_.front()->widget != nullptr) {
    return;  // nothing to make, or made already
  }
  std::vector<QWidget*> tabChain;
  for (const auto& owned : controls_) {
    QtControl& control = *owned;
    const ControlDesign& design = *control.design;
    QWidget& parentWidget = design.parent ? *Find(*design.parent)->widget : *form_;
    QWidget* widget = CreateWidget(control, parentWidget);
    control.widget = widget;
    widget->setFont(ControlFont(control));
    widget->setGeometry(control.geometry);
    // Created in tab order, which is also the order a screen reader goes
    // through them; the few pixels where Windows would stack them the other
    // way round (the read-me's top edge) do not matter.
    ApplyColours(control);
    if (control.sizePending) {
      AutoSize(control);
    }
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
  for (const auto& control : controls_) {
    if (!Usable(*control)) {
      ApplyEnabled(*control);
    }
    if (control->design->kind == ControlKind::OptionButton) {
      UpdateTabStops(*control);
    }
    Name(*control);
  }
}

// Each control's own font or the window's, never its container's.
QFont QtControls::ControlFont(const QtControl& control) const {
  return control.design->font ? FontOf(*control.design->font, scale_) : windowFont_;
}

QWidget* QtControls::CreateWidget(QtControl& control, QWidget& parentWidget) {
  const ControlDesign& design = *control.design;
  const QString caption = ToQString(control.text);
  const ControlId id = design.id;
  switch (design.kind) {
    case ControlKind::Panel:
      return new QWidget(&parentWidget);
    case ControlKind::Frame:
      return new QGroupBox(caption, &parentWidget);
    case ControlKind::Label: {
      auto* label = new QLabel(&parentWidget);
      label->setTextFormat(Qt::PlainText);
      label->setAlignment(HorizontalAlignment(design.align) | Qt::AlignTop);
      label->setWordWrap(LabelWraps(design));
      label->setText(caption);
      return label;
    }
    case ControlKind::Image: {
      auto* image = new QLabel(&parentWidget);
      image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      image->setPixmap(QIcon(QStringLiteral(":/nocturo/logo.ico")).pixmap(kLogoPixels));
      return image;
    }
    case ControlKind::Button: {
      auto* button = new QPushButton(caption, &parentWidget);
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
        text->setPlainText(ToLines(control.text));
        QObject::connect(text, &QPlainTextEdit::textChanged, text, [this, id, text] {
          if (!text->isReadOnly()) {
            reports_.change(id);
          }
        });
        return text;
      }
      auto* edit = new QLineEdit(caption, &parentWidget);
      edit->setAlignment(HorizontalAlignment(design.align) | Qt::AlignVCenter);
      edit->setReadOnly(design.readOnly);
      if (design.maxLength > 0) {
        edit->setValidator(new LengthLimit(design.maxLength, edit));
      }
      QObject::connect(edit, &QLineEdit::textEdited, edit, [this, id] { reports_.change(id); });
      return edit;
    }
    case ControlKind::MaskedTimeBox: {
      auto* masked = new MaskedTimeLineEdit(&parentWidget, [this, id] { reports_.change(id); });
      masked->SetModelText(control.time.Text());
      control.masked = masked;
      return masked;
    }
    case ControlKind::OptionButton: {
      auto* option = new OptionButtonWidget(
          caption, &parentWidget, [this, &control](int step) { MoveInGroup(control, step); });
      option->setChecked(control.value != 0);
      QObject::connect(option, &QRadioButton::clicked, option,
                       [this, &control] { Clicked(control); });
      return option;
    }
    case ControlKind::CheckBox: {
      auto* check = new CheckBoxWidget(caption, &parentWidget);
      check->setCheckState(static_cast<Qt::CheckState>(std::clamp(control.value, 0, 2)));
      QObject::connect(check, &QCheckBox::clicked, check, [this, &control] { Clicked(control); });
      return check;
    }
  }
  return new QWidget(&parentWidget);
}

// Names for screen readers and for the tests that find the controls: each
// widget is named as in the program (with its index in an array); controls
// without a caption of their own are read by the design's neighbouring texts.
void QtControls::Name(const QtControl& control) {
  const WindowDesign& design = *windowDesign_;
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

// As Windows' static text sizes itself: to the text's extent, at the
// control's width when it wraps.
QSize QtControls::AutoSizeExtent(const QtControl& control, int width) const {
  const auto* label = qobject_cast<const QLabel*>(control.widget);
  const QFontMetrics metrics(label != nullptr ? label->font() : ControlFont(control));
  const QString text = label != nullptr ? label->text() : ToQString(control.text);
  if (control.design->wordWrap) {
    return {width,
            metrics.boundingRect(QRect(0, 0, width, 0xFFFFFF), Qt::TextWordWrap, text).height()};
  }
  return {metrics.horizontalAdvance(text), metrics.height()};
}

void QtControls::AutoSize(QtControl& control) {
  QRect rect = Geometry(control);
  rect.setSize(AutoSizeExtent(control, rect.width()));
  Place(control, rect);
  control.sizePending = false;
}

}  // namespace nocturo::linux_desktop
