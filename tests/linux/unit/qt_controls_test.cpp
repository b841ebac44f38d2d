// A window's controls answer the program alike whether their widgets were made
// before its writes or only afterwards, when the window is first shown, and
// the widgets show what the program reads back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QWidget>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/qt_control_metrics.hpp"
#include "platform/linux/qt_controls.hpp"
#include "platform/linux/qt_fonts.hpp"
#include "platform/linux/qt_text.hpp"
#include "ui/model_ui.hpp"
#include "ui/widget_rules.hpp"

namespace nocturo {

// A control as the test messages name it.
void PrintTo(ControlId id, std::ostream* out) {
  const ControlDesign& design = DesignOf(id);
  *out << design.name << design.index;
}

namespace linux_desktop {
namespace {

// What the program hears from the controls.
struct Heard final : UiEvents {
  void OnLoad(WindowId /*window*/) override {}
  void OnResize(WindowId /*window*/) override {}
  void OnClick(ControlId control) override { clicks.push_back(control); }
  void OnChange(ControlId control) override { changes.push_back(control); }
  void OnTimer() override {}
  void OnMouseMove(WindowId /*w*/, float /*x*/, float /*y*/, bool /*pointer*/) override {}
  void OnMenuItem(int /*index*/) override {}
  void OnCloseBox(WindowId /*window*/) override {}
  void OnTaskbarCreated() override {}

  std::vector<ControlId> clicks;
  std::vector<ControlId> changes;
};

// One window's controls behind the program's Ui, wired as QtUi wires them;
// the window operations are not what is tested here.
class Window final : public ModelUi {
 public:
  explicit Window(const WindowDesign& windowDesign)
      : design(windowDesign),
        metrics_(scale_, FontOf(design.font, scale_)),
        model_(std::make_unique<FormModel>(design, metrics_)),
        controls_(*model_, metrics_,
                  {.click = [this](ControlId id) { UserClick(id); },
                   .edit = [this](ControlId id, std::string_view text) { UserEdit(id, text); },
                   .editedTime = [this](ControlId id) { UserEditedTime(id); }}) {
    SetUiEvents(&heard);
  }

  void Realize() { controls_.Realize(form); }
  QWidget& Widget(ControlId id) const { return *controls_.Find(id)->widget; }

  bool Exists(WindowId /*window*/) const override { return true; }
  void Load(WindowId /*window*/) override {}
  void Show(WindowId /*window*/) override {}
  void Hide(WindowId /*window*/) override {}
  bool IsVisible(WindowId /*window*/) const override { return false; }
  void Repaint(WindowId /*window*/) override {}
  void Destroy(WindowId /*window*/) override {}
  void SetCaption(WindowId /*window*/, std::string_view /*text*/) override {}
  std::string Caption(WindowId /*window*/) const override { return {}; }
  TwipsRect Bounds(WindowId /*window*/) const override { return {}; }
  void Move(WindowId /*window*/, float /*left*/, float /*top*/) override {}
  std::uint32_t Handle(WindowId /*window*/) override { return 0; }
  std::uint32_t Icon(WindowId /*window*/) override { return 0; }
  void PopupMenu(WindowId /*window*/) override {}
  bool TimerEnabled() const override { return false; }
  void SetTimerEnabled(bool /*enabled*/) override {}
  ScreenMetrics Screen() const override { return {}; }

  const WindowDesign& design;
  QWidget form;
  Heard heard;

 protected:
  FormModel* LiveModel(WindowId /*window*/) override { return model_.get(); }
  FormModel* ExistingModel(WindowId /*window*/) const override { return model_.get(); }
  void Mirror(ControlId control, ControlAspect aspect) override {
    controls_.Mirror(control, aspect);
  }

 private:
  PixelScale scale_;
  QtControlMetrics metrics_;
  std::unique_ptr<FormModel> model_;
  QtControls controls_;
};

// Everything the program can read back, control by control.
std::string ReadBack(const Window& window) {
  std::ostringstream out;
  for (const ControlDesign& design : window.design.controls) {
    const TwipsRect bounds = window.ControlBounds(design.id);
    out << design.name << design.index << ": \"" << window.Text(design.id) << "\" value "
        << window.Value(design.id) << " at " << bounds.left << ',' << bounds.top << ' '
        << bounds.width << 'x' << bounds.height;
    if (design.kind == ControlKind::Panel || design.kind == ControlKind::Frame) {
      out << " inside " << window.ScaleWidth(design.id);
    }
    out << '\n';
  }
  return out.str();
}

std::string WidgetText(const QWidget& widget) {
  if (const auto* frame = qobject_cast<const QGroupBox*>(&widget)) {
    return ToUtf8(frame->title());
  }
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    return ToUtf8(label->text());
  }
  if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) {
    return ToUtf8(edit->text());
  }
  if (const auto* text = qobject_cast<const QPlainTextEdit*>(&widget)) {
    return FromLines(text->toPlainText());
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
    return ToUtf8(button->text());
  }
  return {};
}

int WidgetValue(const QWidget& widget) {
  if (const auto* check = qobject_cast<const QCheckBox*>(&widget)) {
    return static_cast<int>(check->checkState());
  }
  if (const auto* option = qobject_cast<const QRadioButton*>(&widget)) {
    return option->isChecked() ? 1 : 0;
  }
  return 0;
}

// What the user and a screen reader get once the widgets exist.
std::string Shown(const Window& window) {
  std::ostringstream out;
  for (const ControlDesign& design : window.design.controls) {
    const QWidget& widget = window.Widget(design.id);
    const QRect at = widget.geometry();
    out << ToUtf8(widget.objectName()) << ": \"" << ToUtf8(widget.accessibleName()) << "\" "
        << (widget.isEnabled() ? "enabled" : "disabled") << " focus "
        << static_cast<int>(widget.focusPolicy()) << " text "
        << ToUtf8(widget.palette().color(QPalette::Active, QPalette::WindowText).name())
        << " shows \"" << WidgetText(widget) << "\" value " << WidgetValue(widget) << " at "
        << at.x() << ',' << at.y() << ' ' << at.width() << 'x' << at.height() << '\n';
  }
  return out.str();
}

// A count started at a time of day, forced, from a disabled frame, with the
// layout's moves of the header band.
void CountingWrites(Window& window) {
  window.SetText(ControlId::lblAtencion, "CONTANDO");
  window.SetText(ControlId::lblMinRestantes, "00:44:59");
  window.SetForeColour(ControlId::lblMinRestantes, kDarkRed);
  window.SetText(ControlId::txtDentroDe, "30");
  window.SetText(ControlId::txtALas, "7:15:00x");
  window.SetValue(ControlId::optDesconexion2, 1);
  window.SetValue(ControlId::optModo3, 1);
  window.SetValue(ControlId::chkForzado, 2);
  window.SetEnabled(ControlId::frDesconexion, false);
  window.SetEnabled(ControlId::btnEmpezar, false);
  window.SetText(ControlId::FrModo, "Modo elegido");
  window.SetText(ControlId::PrincipalTitulo, "Nocturo 2.5 contando");
  window.SetControlWidth(ControlId::PrincipalDescripcion, 2500);
  window.SetControlLeft(ControlId::PrincipalLogo, 3100);
  window.SetControlWidth(ControlId::lblMinutos1, -40);
}

void AboutWrites(Window& window) {
  window.SetText(ControlId::LBsistemaoperativo, "Linux 6.1");
  window.SetText(ControlId::leeme, "uno\r\n\tdos\ntres\rcuatro\r\n");
}

void ExpectAlike(const WindowDesign& design, void (*writes)(Window&)) {
  Window shown(design);
  shown.Realize();
  writes(shown);

  Window hidden(design);
  writes(hidden);
  EXPECT_TRUE(hidden.form.findChildren<QWidget*>().isEmpty()) << "a hidden window made widgets";
  EXPECT_EQ(ReadBack(hidden), ReadBack(shown)) << "read back before the widgets exist";
  hidden.Realize();
  EXPECT_EQ(ReadBack(hidden), ReadBack(shown)) << "read back once shown";
  EXPECT_EQ(Shown(hidden), Shown(shown));
  EXPECT_EQ(hidden.heard.changes, shown.heard.changes);
}

TEST(QtControls, MainWindowWrittenWhileHiddenShowsAsIfShownAllAlong) {
  ExpectAlike(FrPrincipalDesign(), CountingWrites);
}

TEST(QtControls, AboutWindowWrittenWhileHiddenShowsAsIfShownAllAlong) {
  ExpectAlike(FrAcercaDeDesign(), AboutWrites);
}

TEST(QtControls, ReadmeShowsItsWholeTextWhenFirstShown) {
  Window about(FrAcercaDeDesign());
  about.Realize();
  for (const ControlDesign& design : about.design.controls) {
    if (design.id == ControlId::leeme) {
      EXPECT_EQ(WidgetText(about.Widget(design.id)), InitialText(design));
    }
  }
}

void Key(QWidget& widget, Qt::Key key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(&widget, &press);
}

// The user's clicks and typing reach what the program reads, and the program
// hears of them.
TEST(QtControls, UserInputReachesTheProgram) {
  Window window(FrPrincipalDesign());
  window.Realize();
  qobject_cast<QAbstractButton*>(&window.Widget(ControlId::optDesconexion2))->click();
  EXPECT_EQ(window.Value(ControlId::optDesconexion2), 1);
  EXPECT_EQ(window.Value(ControlId::optDesconexion1), 0);
  EXPECT_EQ(WidgetValue(window.Widget(ControlId::optDesconexion1)), 0) << "group not shown";
  Key(window.Widget(ControlId::txtDentroDe), Qt::Key_7, QStringLiteral("7"));
  Key(window.Widget(ControlId::txtALas), Qt::Key_2, QStringLiteral("2"));
  EXPECT_EQ(window.Text(ControlId::txtDentroDe), WidgetText(window.Widget(ControlId::txtDentroDe)));
  EXPECT_EQ(window.Text(ControlId::txtALas), WidgetText(window.Widget(ControlId::txtALas)));
  EXPECT_NE(window.Text(ControlId::txtALas).find('2'), std::string::npos);
  // As Qt's accessibility writes a line edit for a screen reader.
  qobject_cast<QLineEdit*>(&window.Widget(ControlId::txtDentroDe))->setText(QStringLiteral("45"));
  EXPECT_EQ(window.Text(ControlId::txtDentroDe), "45");
  EXPECT_EQ(window.heard.clicks, std::vector<ControlId>{ControlId::optDesconexion2});
  EXPECT_EQ(
      window.heard.changes,
      (std::vector<ControlId>{ControlId::txtDentroDe, ControlId::txtALas, ControlId::txtDentroDe}));
}

// Text that reaches the time box around its key handlers, as Qt's accessible
// interface writes it for a screen reader and as a middle-click paste inserts
// the X11 selection: the mask still decides, and the program reads what the
// box shows.
TEST(QtControls, TimeBoxWrittenAroundItsKeysKeepsToTheMask) {
  Window window(FrPrincipalDesign());
  window.Realize();
  auto& box = *qobject_cast<QLineEdit*>(&window.Widget(ControlId::txtALas));
  box.setText(QStringLiteral("00:19:43"));
  EXPECT_EQ(window.Text(ControlId::txtALas), "00:19:43")
      << "a write through the accessible interface never reached the program";
  box.setCursorPosition(0);
  box.insert(QStringLiteral("01:17:50"));
  EXPECT_EQ(window.Text(ControlId::txtALas), "01:17:50") << "a middle-click paste missed the mask";
  EXPECT_EQ(WidgetText(box), "01:17:50") << "the box shows more than the mask holds";
  box.setText(QStringLiteral("7h"));
  EXPECT_EQ(WidgetText(box), "7_:__:__");
  EXPECT_EQ(window.Text(ControlId::txtALas), WidgetText(box));
  EXPECT_EQ(window.heard.changes, std::vector<ControlId>(3, ControlId::txtALas));
}

}  // namespace
}  // namespace linux_desktop
}  // namespace nocturo

int main(int argc, char* argv[]) {
  // No display needed: the widgets are never painted on screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication qt(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
