// The simulated user: clicks, keys, the close box, and what the shell and the
// timer send.
#include "platform/sim/sim_ui.hpp"

namespace nocturo::sim {

bool SimUi::Usable(ControlId control) const {
  const FormModel* model = ModelOf(control);
  return model != nullptr && IsVisible(WindowOf(control)) && model->Usable(control);
}

bool SimUi::Click(ControlId control) {
  if (!Usable(control)) {
    return false;
  }
  UserClick(control);
  return true;
}

bool SimUi::Type(ControlId control, std::string_view keys) {
  if (!Usable(control)) {
    return false;
  }
  FormModel& model = *ModelOf(control);
  const ControlDesign& design = DesignOf(control);
  if (design.readOnly) {
    return false;
  }
  for (char key : keys) {
    if (MaskedTime* time = model.Time(control); time != nullptr) {
      if (key == '\b' ? time->Backspace() : time->Type(key)) {
        UserEditedTime(control);
      }
      continue;
    }
    std::string text = model.Text(control);
    if (key == '\b') {
      if (text.empty()) {
        continue;
      }
      text.pop_back();
    } else if (design.maxLength == 0 || text.size() < static_cast<std::size_t>(design.maxLength)) {
      text.push_back(key);
    } else {
      continue;
    }
    UserEdit(control, text);
  }
  return true;
}

bool SimUi::ReplaceText(ControlId control, std::string_view text) {
  if (!Usable(control)) {
    return false;
  }
  FormModel& model = *ModelOf(control);
  if (MaskedTime* time = model.Time(control); time != nullptr) {
    time->SetSelection(0, MaskedTime::kLength);
    if (time->ClearSelection()) {
      UserEditedTime(control);
    }
    time->Home();
  } else if (!model.Text(control).empty()) {
    UserEdit(control, "");
  }
  return Type(control, text);
}

bool SimUi::PasteInto(ControlId control, std::string_view text) {
  if (!Usable(control)) {
    return false;
  }
  MaskedTime* time = ModelOf(control)->Time(control);
  if (time == nullptr) {
    return Type(control, text);
  }
  if (time->Paste(text)) {
    UserEditedTime(control);
  }
  return true;
}

void SimUi::PressCloseBox(WindowId window) {
  if (IsVisible(window) && uiEvents() != nullptr) {
    uiEvents()->OnCloseBox(window);
  }
}

void SimUi::PostTrayNotification(int mouseMessage) {
  if (uiEvents() != nullptr && Exists(WindowId::AcercaDe)) {
    uiEvents()->OnMouseMove(WindowId::AcercaDe,
                            static_cast<float>(mouseMessage) * screen_.twipsPerPixelX, 0, false);
  }
}

void SimUi::MovePointerOverAbout(float xTwips, float yTwips) {
  if (uiEvents() != nullptr && IsVisible(WindowId::AcercaDe)) {
    uiEvents()->OnMouseMove(WindowId::AcercaDe, xTwips, yTwips, true);
  }
}

void SimUi::TimerTick() {
  if (TimerEnabled() && uiEvents() != nullptr) {
    uiEvents()->OnTimer();
  }
}

void SimUi::BroadcastTaskbarCreated() {
  if (uiEvents() != nullptr) {
    uiEvents()->OnTaskbarCreated();
  }
}

}  // namespace nocturo::sim
