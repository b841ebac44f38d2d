#include "ui/model_ui.hpp"

#include "ui/widget_rules.hpp"

namespace nocturo {

// A read answers as a blank control when the window does not exist.
template <class Property>
Property ModelUi::Read(ControlId control, Property (FormModel::*read)(ControlId) const,
                       Property otherwise) const {
  const FormModel* model = ExistingModelOf(control);
  return model != nullptr ? (model->*read)(control) : otherwise;
}

// A write makes the window if it has never been, then shows what changed.
template <class Property>
void ModelUi::Write(ControlId control, void (FormModel::*write)(ControlId, Property),
                    Property value, ControlAspect aspect) {
  if (FormModel* model = LiveModelOf(control); model != nullptr) {
    (model->*write)(control, value);
    Mirror(control, aspect);
  }
}

std::string ModelUi::Text(ControlId control) const {
  return Read(control, &FormModel::Text, std::string());
}

void ModelUi::SetText(ControlId control, std::string_view text) {
  FormModel* model = LiveModelOf(control);
  if (model == nullptr) {
    return;
  }
  const bool reported = model->SetText(control, text);
  Mirror(control, ControlAspect::Text);
  if (SizesToText(DesignOf(control))) {
    Mirror(control, ControlAspect::Bounds);  // its new text's size
  }
  if (reported && events_ != nullptr) {
    events_->OnChange(control);
  }
}

bool ModelUi::Enabled(ControlId control) const {
  return Read(control, &FormModel::Enabled, false);
}

void ModelUi::SetEnabled(ControlId control, bool enabled) {
  Write(control, &FormModel::SetEnabled, enabled, ControlAspect::Enabled);
}

int ModelUi::Value(ControlId control) const {
  return Read(control, &FormModel::Value, 0);
}

void ModelUi::SetValue(ControlId control, int value) {
  if (FormModel* model = LiveModelOf(control); model != nullptr) {
    for (ControlId changed : model->SetValue(control, value)) {
      Mirror(changed, ControlAspect::Value);
    }
  }
}

Colour ModelUi::ForeColour(ControlId control) const {
  return Read(control, &FormModel::ForeColour, kSysWindowText);
}

void ModelUi::SetForeColour(ControlId control, Colour colour) {
  Write(control, &FormModel::SetForeColour, colour, ControlAspect::ForeColour);
}

TwipsRect ModelUi::ControlBounds(ControlId control) const {
  return Read(control, &FormModel::Bounds, TwipsRect{});
}

void ModelUi::SetControlLeft(ControlId control, float left) {
  Write(control, &FormModel::SetLeft, left, ControlAspect::Bounds);
}

void ModelUi::SetControlWidth(ControlId control, float width) {
  Write(control, &FormModel::SetWidth, width, ControlAspect::Bounds);
}

float ModelUi::ScaleWidth(ControlId container) const {
  return Read(container, &FormModel::ScaleWidth, 0.0F);
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
