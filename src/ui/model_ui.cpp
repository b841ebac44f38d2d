#include "ui/model_ui.hpp"

namespace nocturo {

std::string ModelUi::Text(ControlId control) const {
  const FormModel* model = ExistingModelOf(control);
  return model != nullptr ? model->Text(control) : std::string();
}

void ModelUi::SetText(ControlId control, std::string_view text) {
  FormModel* model = LiveModelOf(control);
  if (model == nullptr) {
    return;
  }
  const bool reported = model->SetText(control, text);
  Mirror(control, ControlAspect::Text);
  if (reported && events_ != nullptr) {
    events_->OnChange(control);
  }
}

bool ModelUi::Enabled(ControlId control) const {
  const FormModel* model = ExistingModelOf(control);
  return model != nullptr && model->Enabled(control);
}

void ModelUi::SetEnabled(ControlId control, bool enabled) {
  if (FormModel* model = LiveModelOf(control); model != nullptr) {
    model->SetEnabled(control, enabled);
    Mirror(control, ControlAspect::Enabled);
  }
}

int ModelUi::Value(ControlId control) const {
  const FormModel* model = ExistingModelOf(control);
  return model != nullptr ? model->Value(control) : 0;
}

void ModelUi::SetValue(ControlId control, int value) {
  if (FormModel* model = LiveModelOf(control); model != nullptr) {
    for (ControlId changed : model->SetValue(control, value)) {
      Mirror(changed, ControlAspect::Value);
    }
  }
}

Colour ModelUi::ForeColour(ControlId control) const {
  const FormModel* model = ExistingModelOf(control);
  return model != nullptr ? model->ForeColour(control) : kSysWindowText;
}

void ModelUi::SetForeColour(ControlId control, Colour colour) {
  if (FormModel* model = LiveModelOf(control); model != nullptr) {
    model->SetForeColour(control, colour);
    Mirror(control, ControlAspect::ForeColour);
  }
}

TwipsRect ModelUi::ControlBounds(ControlId control) const {
  const FormModel* model = ExistingModelOf(control);
  return model != nullptr ? model->Bounds(control) : TwipsRect{};
}

void ModelUi::SetControlLeft(ControlId control, float left) {
  if (FormModel* model = LiveModelOf(control); model != nullptr) {
    model->SetLeft(control, left);
    Mirror(control, ControlAspect::Bounds);
  }
}

void ModelUi::SetControlWidth(ControlId control, float width) {
  if (FormModel* model = LiveModelOf(control); model != nullptr) {
    model->SetWidth(control, width);
    Mirror(control, ControlAspect::Bounds);
  }
}

float ModelUi::ScaleWidth(ControlId container) const {
  const FormModel* model = ExistingModelOf(container);
  return model != nullptr ? model->ScaleWidth(container) : 0.0F;
}

void ModelUi::UserClick(ControlId control) {
  FormModel* model = ExistingModel(WindowOf(control));
  if (model == nullptr) {
    return;
  }
  for (ControlId changed : model->Click(control)) {
    Mirror(changed, ControlAspect::Value);
  }
  if (events_ != nullptr) {
    events_->OnClick(control);
  }
}

void ModelUi::UserEdit(ControlId control, std::string_view text) {
  FormModel* model = ExistingModel(WindowOf(control));
  if (model == nullptr) {
    return;
  }
  model->Typed(control, text);
  if (events_ != nullptr) {
    events_->OnChange(control);
  }
}

void ModelUi::UserEditedTime(ControlId control) {
  if (events_ != nullptr && ExistingModel(WindowOf(control)) != nullptr) {
    events_->OnChange(control);
  }
}

}  // namespace nocturo
