// A window's controls answer the program alike whether their widgets were made
// before its writes or only afterwards, when the window is first shown.
#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <sstream>
#include <string>
#include <vector>

#include "platform/linux/qt_controls.hpp"
#include "platform/linux/qt_fonts.hpp"
#include "platform/linux/qt_text.hpp"
#include "ui/widget_rules.hpp"

namespace nocturo::linux_desktop {
namespace {

struct Window {
  explicit Window(const WindowDesign& windowDesign)
      : design(windowDesign),
        controls(scale, {.click = [](ControlId /*id*/) {},
                         .change = [this](ControlId id) { changes.push_back(id); }}) {
    controls.Build(form, design, FontOf(design.font, scale));
  }

  QtControl& operator[](ControlId id) { return *controls.Find(id); }

  const WindowDesign& design;
  PixelScale scale;
  QWidget form;
  std::vector<ControlId> changes;
  QtControls controls;
};

// Everything the program can read back, control by control.
std::string ReadBack(const Window& window) {
  std::ostringstream out;
  for (const ControlDesign& design : window.design.controls) {
    const QtControl& control = *window.controls.Find(design.id);
    const TwipsRect bounds = window.controls.Bounds(control);
    out << design.name << design.index << ": \"" << window.controls.Text(control) << "\" value "
        << window.controls.Value(control) << " at " << bounds.left << ',' << bounds.top << ' '
        << bounds.width << 'x' << bounds.height;
    if (design.kind == ControlKind::Panel || design.kind == ControlKind::Frame) {
      out << " inside " << window.controls.ScaleWidth(control);
    }
    out << '\n';
  }
  return out.str();
}

// What the user and a screen reader get once the widgets exist.
std::string Shown(const Window& window) {
  std::ostringstream out;
  for (const ControlDesign& design : window.design.controls) {
    const QWidget& widget = *window.controls.Find(design.id)->widget;
    out << ToUtf8(widget.objectName()) << ": \"" << ToUtf8(widget.accessibleName()) << "\" "
        << (widget.isEnabled() ? "enabled" : "disabled") << " focus "
        << static_cast<int>(widget.focusPolicy()) << " text "
        << ToUtf8(widget.palette().color(QPalette::Active, QPalette::WindowText).name()) << '\n';
  }
  return out.str();
}

// A count started at a time of day, forced, from a disabled frame, with the
// layout's moves of the header band.
void CountingWrites(Window& window) {
  QtControls& controls = window.controls;
  controls.SetText(window[ControlId::lblAtencion], "CONTANDO");
  controls.SetText(window[ControlId::lblMinRestantes], "00:44:59");
  controls.SetForeColour(window[ControlId::lblMinRestantes], kDarkRed);
  controls.SetText(window[ControlId::txtDentroDe], "30");
  controls.SetText(window[ControlId::txtALas], "7:15:00x");
  controls.SetValue(window[ControlId::optDesconexion2], 1);
  controls.SetValue(window[ControlId::optModo3], 1);
  controls.SetValue(window[ControlId::chkForzado], 2);
  controls.SetEnabled(window[ControlId::frDesconexion], false);
  controls.SetEnabled(window[ControlId::btnEmpezar], false);
  controls.SetText(window[ControlId::FrModo], "Modo elegido");
  controls.SetText(window[ControlId::PrincipalTitulo], "Nocturo 2.5 contando");
  controls.SetWidth(window[ControlId::PrincipalDescripcion], 2500);
  controls.SetLeft(window[ControlId::PrincipalLogo], 3100);
  controls.SetWidth(window[ControlId::lblMinutos1], -40);
}

void AboutWrites(Window& window) {
  window.controls.SetText(window[ControlId::LBsistemaoperativo], "Linux 6.1");
  window.controls.SetText(window[ControlId::leeme], "uno\r\n\tdos\ntres\rcuatro\r\n");
}

void ExpectAlike(const WindowDesign& design, void (*writes)(Window&)) {
  Window shown(design);
  shown.controls.Realize();
  writes(shown);

  Window hidden(design);
  writes(hidden);
  EXPECT_TRUE(hidden.form.findChildren<QWidget*>().isEmpty()) << "a hidden window made widgets";
  EXPECT_EQ(ReadBack(hidden), ReadBack(shown)) << "read back before the widgets exist";
  hidden.controls.Realize();
  EXPECT_EQ(ReadBack(hidden), ReadBack(shown)) << "read back once shown";
  EXPECT_EQ(Shown(hidden), Shown(shown));
  EXPECT_EQ(hidden.changes, shown.changes);
}

TEST(QtControls, MainWindowWrittenWhileHiddenShowsAsIfShownAllAlong) {
  ExpectAlike(FrPrincipalDesign(), CountingWrites);
}

TEST(QtControls, AboutWindowWrittenWhileHiddenShowsAsIfShownAllAlong) {
  ExpectAlike(FrAcercaDeDesign(), AboutWrites);
}

TEST(QtControls, ReadmeShowsItsWholeTextWhenFirstShown) {
  Window about(FrAcercaDeDesign());
  about.controls.Realize();
  const QtControl& leeme = about[ControlId::leeme];
  EXPECT_EQ(about.controls.Text(leeme), InitialText(*leeme.design));
}

}  // namespace
}  // namespace nocturo::linux_desktop

int main(int argc, char* argv[]) {
  // No display needed: the widgets are never painted on screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication qt(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
