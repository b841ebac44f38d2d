#pragma once

#include <concepts>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ui.hpp"
#include "platform/ui_events.hpp"
#include "ui/form_model.hpp"
#include "ui/model_ui.hpp"
#include "ui/window_registry.hpp"

namespace nocturo {

// What a backend's window does for the program; the rest of Ui is written
// once below. Controls() is whatever keeps its real controls in step with the
// model (Mirror does nothing before they are made).
template <class Form>
concept BackendForm = requires(Form& form, const Form& shown, std::string_view text, float at,
                               bool on, ControlId control, ControlAspect aspect) {
  form.Create();
  { shown.Alive() } -> std::same_as<bool>;
  form.Destroy();
  { form.Model() } -> std::same_as<FormModel&>;
  form.Controls().Mirror(control, aspect);
  form.Show();
  form.Hide();
  { shown.IsVisible() } -> std::same_as<bool>;
  form.Repaint();
  form.SetCaption(text);
  { shown.Caption() } -> std::same_as<std::string>;
  { shown.Bounds() } -> std::same_as<TwipsRect>;
  form.Move(at, at);
  form.PopupMenu();
  { shown.TimerEnabled() } -> std::same_as<bool>;
  form.SetTimerEnabled(on);
};

// The window half of Ui over a backend's forms: a window is made by the
// first call that needs it, a query about one that does not exist answers as
// for a blank one and makes nothing, and a destroyed one stays destroyed.
// A backend supplies Make, and the calls that are its own matter.
template <BackendForm Form, class Deleter = std::default_delete<Form>>
class WindowUi : public ModelUi {
 public:
  using FormPtr = std::unique_ptr<Form, Deleter>;

  // Forms that hear the program's events themselves are told of them too.
  void SetEvents(UiEvents& events) {
    SetUiEvents(&events);
    forms_.ForEach([this](Form& form) { Tell(form); });
  }

  bool Exists(WindowId window) const final { return Existing(window) != nullptr; }
  void Load(WindowId window) final { Live(window); }
  void Show(WindowId window) final { Do(window, &Form::Show); }
  void Hide(WindowId window) final { Do(window, &Form::Hide); }
  bool IsVisible(WindowId window) const final {
    const Form* form = Existing(window);
    return form != nullptr && form->IsVisible();
  }
  void Repaint(WindowId window) final { Do(window, &Form::Repaint); }
  void Destroy(WindowId window) final { forms_.Destroy(window); }
  void SetCaption(WindowId window, std::string_view text) final {
    if (Form* form = Live(window); form != nullptr) {
      form->SetCaption(text);
    }
  }
  std::string Caption(WindowId window) const final {
    const Form* form = Existing(window);
    return form != nullptr ? form->Caption() : std::string();
  }
  TwipsRect Bounds(WindowId window) const final {
    const Form* form = Existing(window);
    return form != nullptr ? form->Bounds() : TwipsRect{};
  }
  void Move(WindowId window, float left, float top) final {
    if (Form* form = Live(window); form != nullptr) {
      form->Move(left, top);
    }
  }
  void PopupMenu(WindowId window) final { Do(window, &Form::PopupMenu); }

  // The timer belongs to the main window.
  bool TimerEnabled() const final {
    const Form* form = Existing(WindowId::Principal);
    return form != nullptr && form->TimerEnabled();
  }
  void SetTimerEnabled(bool enabled) final {
    if (Form* form = Live(WindowId::Principal); form != nullptr) {
      form->SetTimerEnabled(enabled);
    }
  }

 protected:
  // A new form for the window, not yet created.
  virtual FormPtr Make(WindowId window) = 0;
  // A call named a window that was destroyed: it does nothing.
  virtual void NamedDestroyed(WindowId /*window*/) const {}

  // The window, made now if it has never been; nullptr once destroyed.
  Form* Live(WindowId window) {
    if (forms_.Destroyed(window)) {
      NamedDestroyed(window);
    }
    return forms_.Live(window, [this, window] {
      FormPtr form = Make(window);
      Tell(*form);
      return form;
    });
  }
  Form* Existing(WindowId window) const { return forms_.Existing(window); }
  template <class Visit>
  void ForEachForm(Visit visit) const {
    forms_.ForEach(visit);
  }

 private:
  FormModel* LiveModel(WindowId window) final {
    Form* form = Live(window);
    return form != nullptr ? &form->Model() : nullptr;
  }
  FormModel* ExistingModel(WindowId window) const final {
    Form* form = Existing(window);
    return form != nullptr ? &form->Model() : nullptr;
  }
  void Mirror(ControlId control, ControlAspect aspect) final {
    if (Form* form = Existing(WindowOf(control)); form != nullptr) {
      form->Controls().Mirror(control, aspect);
    }
  }

  void Do(WindowId window, void (Form::*action)()) {
    if (Form* form = Live(window); form != nullptr) {
      (form->*action)();
    }
  }
  void Tell(Form& form) const {
    if constexpr (requires { form.SetEvents(uiEvents()); }) {
      form.SetEvents(uiEvents());
    }
  }

  WindowRegistry<Form, Deleter> forms_;
};

}  // namespace nocturo
