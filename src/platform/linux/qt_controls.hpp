#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/linux/qt_control_metrics.hpp"
#include "platform/ui.hpp"
#include "ui/design.hpp"
#include "ui/form_model.hpp"
#include "ui/model_ui.hpp"

namespace nocturo::linux_desktop {

class MaskedTimeLineEdit;

// The widget of one control, owned by the window's widget tree.
struct QtControl {
  const ControlDesign* design = nullptr;
  QWidget* widget = nullptr;
  MaskedTimeLineEdit* masked = nullptr;  // the time box
  Colour backColour = kSysButtonFace;
};

// The widgets of one window, showing its model. None exists until the window
// is first shown: a tray program's windows mostly stay hidden, and building
// their widgets would load the font engine and lay out every text for
// nothing. From then on they follow the model, and the user's clicks and
// typing go back to it through the reports.
class QtControls {
 public:
  struct Reports {
    std::function<void(ControlId)> click;
    std::function<void(ControlId, std::string_view)> edit;  // a text box's text as it holds it
    std::function<void(ControlId)> editedTime;              // the time box's model changed
  };

  QtControls(FormModel& model, const QtControlMetrics& metrics, Reports reports);
  QtControls(const QtControls&) = delete;
  QtControls& operator=(const QtControls&) = delete;
  ~QtControls();

  // Makes the widgets on form from the model, containers first, in tab
  // order; once only.
  void Realize(QWidget& form);
  // nullptr until the widgets are made.
  QtControl* Find(ControlId id);
  const QtControl* Find(ControlId id) const;
  // Brings a widget in step with the model, reporting nothing; nothing to do
  // before the widgets are made.
  void Mirror(ControlId id, ControlAspect aspect);

 private:
  void Order();
  QWidget* CreateWidget(QtControl& control, QWidget& parent);
  QWidget* CreateTimeBox(QtControl& control, QWidget& parent);
  QWidget* CreateOption(QtControl& control, QWidget& parent);
  void Name(const QtControl& control);
  void ShowText(const QtControl& control);
  void ShowValue(const QtControl& control);
  void ShowColours(const QtControl& control);
  void ShowEnabled(const QtControl& control);
  void Place(const QtControl& control);
  void MoveInGroup(const QtControl& control, int step);
  void UpdateTabStops(const QtControl& member);

  FormModel& model_;
  const QtControlMetrics& metrics_;
  Reports reports_;
  // In creation order, which is the tab order; pointers stay valid.
  std::vector<std::unique_ptr<QtControl>> controls_;
};

}  // namespace nocturo::linux_desktop
