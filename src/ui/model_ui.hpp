#pragma once

#include <string>
#include <string_view>

#include "platform/ui.hpp"
#include "platform/ui_events.hpp"
#include "ui/form_model.hpp"

namespace nocturo {

// Which of a control's properties the program has just changed.
enum class ControlAspect : std::uint8_t { Text, Enabled, Value, ForeColour, Bounds };

// The control half of Ui, written once over the windows' models: every write
// goes to the model, then to the backend's real control if it has made one;
// every read comes from the model. A backend supplies its windows' models and
// mirrors; the user's input comes back through the User* calls.
class ModelUi : public Ui {
 public:
  std::string Text(ControlId control) const final;
  void SetText(ControlId control, std::string_view text) final;
  bool Enabled(ControlId control) const final;
  void SetEnabled(ControlId control, bool enabled) final;
  int Value(ControlId control) const final;
  void SetValue(ControlId control, int value) final;
  Colour ForeColour(ControlId control) const final;
  void SetForeColour(ControlId control, Colour colour) final;
  TwipsRect ControlBounds(ControlId control) const final;
  void SetControlLeft(ControlId control, float left) final;
  void SetControlWidth(ControlId control, float width) final;
  float ScaleWidth(ControlId container) const final;

  // --- the user, as a backend reports them ---
  // A click on a usable button: the rules give it (and its group) their new
  // values, the real controls show them, and the program hears of the click.
  void UserClick(ControlId control);
  // The user changed a text box's text (given as the box holds it now) or,
  // through its editing model, the time box's.
  void UserEdit(ControlId control, std::string_view text);
  void UserEditedTime(ControlId control);

 protected:
  void SetUiEvents(UiEvents* events) { events_ = events; }
  UiEvents* uiEvents() const { return events_; }

  // The model of the window, which is made by this call if it has never been
  // (nullptr once it has been destroyed), or only if it exists now.
  virtual FormModel* LiveModel(WindowId window) = 0;
  virtual FormModel* ExistingModel(WindowId window) const = 0;
  // Brings the real control, if the backend has made it, in step with the
  // model.
  virtual void Mirror(ControlId control, ControlAspect aspect) = 0;

 private:
  FormModel* LiveModelOf(ControlId control) { return LiveModel(WindowOf(control)); }
  const FormModel* ExistingModelOf(ControlId control) const {
    return ExistingModel(WindowOf(control));
  }
  template <class Property>
  Property Read(ControlId control, Property (FormModel::*read)(ControlId) const,
                Property otherwise) const;
  template <class Property>
  void Write(ControlId control, void (FormModel::*write)(ControlId, Property), Property value,
             ControlAspect aspect);

  UiEvents* events_ = nullptr;
};

}  // namespace nocturo
