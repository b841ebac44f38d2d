#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/masked_time.hpp"
#include "common/pixel_scale.hpp"
#include "platform/ui.hpp"
#include "ui/design.hpp"

namespace nocturo::linux_desktop {

class MaskedTimeLineEdit;

// One control of a window: its design, what the program has set on it, and
// its widget (owned by the window's widget tree) once the window is shown.
// Until then the control lives here alone: a tray program's windows mostly
// stay hidden, and building their widgets would load the font engine and lay
// out every text for nothing.
struct QtControl {
  const ControlDesign* design = nullptr;
  QWidget* widget = nullptr;
  MaskedTimeLineEdit* masked = nullptr;  // the time box, once built
  Colour foreColour = kSysWindowText;
  Colour backColour = kSysButtonFace;
  bool ownEnabled = true;  // as the program set it; a disabled frame also greys it
  // Before the widget exists: its text (Windows' line ends), the time box's
  // model, its value, its place in pixels, and whether an auto-size label
  // still has to take its text's size.
  std::string text;
  MaskedTime time;
  int value = 0;
  QRect geometry;
  bool sizePending = false;
};

// The controls of one window, built from its design table, and the Ui
// operations on them. Geometry in twips, converted at the screen's scale.
class QtControls {
 public:
  struct Reports {
    std::function<void(ControlId)> click;
    std::function<void(ControlId)> change;
  };

  QtControls(const PixelScale& scale, Reports reports);
  QtControls(const QtControls&) = delete;
  QtControls& operator=(const QtControls&) = delete;
  ~QtControls();

  // Records every control of the design, containers first, in tab order;
  // their widgets go on form, with the window font given to those without a
  // font of their own, when Realize is first called.
  void Build(QWidget& form, const WindowDesign& design, const QFont& windowFont);
  // Makes the widgets from what the program has set, before the window is
  // first shown; afterwards every operation goes to the widgets.
  void Realize();

  QtControl* Find(ControlId id);
  const QtControl* Find(ControlId id) const;

  std::string Text(const QtControl& control) const;
  void SetText(QtControl& control, std::string_view text);
  void SetEnabled(QtControl& control, bool enabled);
  int Value(const QtControl& control) const;
  void SetValue(QtControl& control, int value);
  void SetForeColour(QtControl& control, Colour colour);
  TwipsRect Bounds(const QtControl& control) const;
  void SetLeft(QtControl& control, float left);
  void SetWidth(QtControl& control, float width);
  float ScaleWidth(const QtControl& control) const;

 private:
  void Record(std::optional<ControlId> parent, const WindowDesign& design);
  QWidget* CreateWidget(QtControl& control, QWidget& parentWidget);
  QFont ControlFont(const QtControl& control) const;
  void Name(const QtControl& control);
  void ApplyColours(QtControl& control);
  void ApplyEnabled(QtControl& control);
  void AutoSize(QtControl& control);
  QSize AutoSizeExtent(const QtControl& control, int width) const;
  // A control's place in pixels, on its widget once that exists.
  static QRect Geometry(const QtControl& control);
  static void Place(QtControl& control, const QRect& geometry);
  bool Usable(const QtControl& control) const;
  void Clicked(QtControl& control);
  void SelectOption(const QtControl& control);
  void MoveInGroup(QtControl& control, int step);
  void UpdateTabStops(const QtControl& member);

  PixelScale scale_;
  Reports reports_;
  // In creation order, which is the tab order; pointers stay valid.
  std::vector<std::unique_ptr<QtControl>> controls_;
  QWidget* form_ = nullptr;
  const WindowDesign* windowDesign_ = nullptr;
  QFont windowFont_;
};

}  // namespace nocturo::linux_desktop
