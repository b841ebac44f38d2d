#pragma once

#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/pixel_scale.hpp"
#include "platform/ui.hpp"
#include "ui/design.hpp"

namespace nocturo::linux_desktop {

class MaskedTimeLineEdit;

// One control of a window as built: its design, its widget (owned by the
// window's widget tree) and what the program has set on it.
struct QtControl {
  const ControlDesign* design = nullptr;
  QWidget* widget = nullptr;
  MaskedTimeLineEdit* masked = nullptr;  // the time box
  Colour foreColour = kSysWindowText;
  Colour backColour = kSysButtonFace;
  bool ownEnabled = true;  // as the program set it; a disabled frame also greys it
  // Until the window is first shown, a multi-line box holds its text here and
  // an auto-size label waits for its font to be measured.
  std::string pendingText;
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

  // Creates every control of the design on form, containers first, in tab
  // order, with the window font given to those without a font of their own.
  void Build(QWidget& form, const WindowDesign& design, const QFont& windowFont);

  // Completes what only a window being shown needs: the multi-line boxes, the
  // pictures and the auto-size labels' measures. A window that stays hidden
  // (a tray program's usual state) never loads the fonts or lays out the text.
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
  void BuildChildren(QWidget& parentWidget, std::optional<ControlId> parent,
                     const WindowDesign& design, const QFont& windowFont,
                     std::vector<QtControl*>& tabChain);
  QWidget* CreateWidget(QtControl& control, QWidget& parentWidget);
  void MakeMultiLine(QtControl& control);
  void LinkTabChain() const;
  void Name(const QtControl& control, const WindowDesign& design);
  void ApplyColours(QtControl& control);
  void ApplyEnabled(QtControl& control);
  void AutoSize(QtControl& control);
  QSize AutoSizeExtent(const QtControl& control) const;
  bool Usable(const QtControl& control) const;
  void Clicked(QtControl& control);
  void SelectOption(const QtControl& control);
  void MoveInGroup(QtControl& control, int step);
  void UpdateTabStops(const QtControl& member);

  PixelScale scale_;
  Reports reports_;
  // In creation order, which is the tab order; pointers stay valid.
  std::vector<std::unique_ptr<QtControl>> controls_;
  std::vector<QtControl*> tabChain_;
  const WindowDesign* windowDesign_ = nullptr;
  bool realized_ = false;
};

}  // namespace nocturo::linux_desktop
