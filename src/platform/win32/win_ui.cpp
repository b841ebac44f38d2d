#include "platform/win32/win_ui.hpp"

#include "platform/win32/system_handles.hpp"

namespace nocturo::win32 {
namespace {

std::size_t Slot(WindowId window) {
  return static_cast<std::size_t>(window);
}

}  // namespace

WinUi::WinUi()
    : scale_(ScreenPixelScale()),
      taskbarCreatedMessage_(::RegisterWindowMessageW(L"TaskbarCreated")) {}

void WinUi::SetEvents(UiEvents& events) {
  events_ = &events;
  for (const auto& form : forms_) {
    if (form) {
      form->SetEvents(events_);
    }
  }
}

bool WinUi::TranslateDialogMessage(MSG& message) {
  for (const auto& form : forms_) {
    const HWND window = form ? form->Handle() : nullptr;
    if (window != nullptr && (message.hwnd == window || ::IsChild(window, message.hwnd) != FALSE)) {
      return ::IsDialogMessageW(window, &message) != FALSE;
    }
  }
  return false;
}

// Each window is made once: one that was destroyed, or that the system would
// not create, stays gone, so no later call runs its load handler again.
FormWindow* WinUi::Live(WindowId window) {
  std::unique_ptr<FormWindow>& form = forms_[Slot(window)];
  if (!form && !destroyed_[Slot(window)]) {
    // Stored before it is built: the load handler already reaches the window.
    form = std::make_unique<FormWindow>(DesignOf(window), scale_, taskbarCreatedMessage_);
    form->SetEvents(events_);
    form->Create();
  }
  return form && form->Handle() != nullptr ? form.get() : nullptr;
}

const FormWindow* WinUi::Existing(WindowId window) const {
  const std::unique_ptr<FormWindow>& form = forms_[Slot(window)];
  return form && form->Handle() != nullptr ? form.get() : nullptr;
}

WinUi::Found<FormControls, ControlRecord> WinUi::Control(ControlId control) {
  FormWindow* form = Live(WindowOf(control));
  if (form == nullptr) {
    return {};
  }
  return {&form->Controls(), form->Controls().Find(control)};
}

WinUi::Found<const FormControls, const ControlRecord> WinUi::ExistingControl(
    ControlId control) const {
  const FormWindow* form = Existing(WindowOf(control));
  if (form == nullptr) {
    return {};
  }
  return {&form->Controls(), form->Controls().Find(control)};
}

bool WinUi::Exists(WindowId window) const {
  return Existing(window) != nullptr;
}

void WinUi::Load(WindowId window) {
  Live(window);
}

void WinUi::Show(WindowId window) {
  if (FormWindow* form = Live(window); form != nullptr) {
    form->Show();
  }
}

void WinUi::Hide(WindowId window) {
  if (FormWindow* form = Live(window); form != nullptr) {
    form->Hide();
  }
}

bool WinUi::IsVisible(WindowId window) const {
  const FormWindow* form = Existing(window);
  return form != nullptr && form->IsVisible();
}

void WinUi::Repaint(WindowId window) {
  if (FormWindow* form = Live(window); form != nullptr) {
    form->Repaint();
  }
}

void WinUi::Destroy(WindowId window) {
  destroyed_[Slot(window)] = true;
  std::unique_ptr<FormWindow>& form = forms_[Slot(window)];
  if (form) {
    form->Destroy();
    retired_.push_back(std::move(form));
  }
}

void WinUi::SetCaption(WindowId window, std::string_view text) {
  if (FormWindow* form = Live(window); form != nullptr) {
    form->SetCaption(text);
  }
}

std::string WinUi::Caption(WindowId window) const {
  const FormWindow* form = Existing(window);
  return form != nullptr ? form->Caption() : std::string();
}

TwipsRect WinUi::Bounds(WindowId window) const {
  const FormWindow* form = Existing(window);
  return form != nullptr ? form->Bounds() : TwipsRect{};
}

void WinUi::Move(WindowId window, float left, float top) {
  if (FormWindow* form = Live(window); form != nullptr) {
    form->Move(left, top);
  }
}

std::uint32_t WinUi::Handle(WindowId window) {
  const FormWindow* form = Live(window);
  return form != nullptr ? ToHandle32(form->Handle()) : 0;
}

std::uint32_t WinUi::Icon(WindowId window) {
  const FormWindow* form = Live(window);
  return form != nullptr ? ToHandle32(form->Icon()) : 0;
}

void WinUi::PopupMenu(WindowId window) {
  if (FormWindow* form = Live(window); form != nullptr) {
    form->PopupMenu();
  }
}

std::string WinUi::Text(ControlId control) const {
  const auto [controls, record] = ExistingControl(control);
  return record != nullptr ? controls->Text(*record) : std::string();
}

void WinUi::SetText(ControlId control, std::string_view text) {
  if (const auto [controls, record] = Control(control); record != nullptr) {
    controls->SetText(*record, text);
  }
}

bool WinUi::Enabled(ControlId control) const {
  const ControlRecord* record = ExistingControl(control).record;
  return record != nullptr && record->ownEnabled;
}

void WinUi::SetEnabled(ControlId control, bool enabled) {
  if (const auto [controls, record] = Control(control); record != nullptr) {
    controls->SetEnabled(*record, enabled);
  }
}

int WinUi::Value(ControlId control) const {
  const auto [controls, record] = ExistingControl(control);
  return record != nullptr ? controls->Value(*record) : 0;
}

void WinUi::SetValue(ControlId control, int value) {
  if (const auto [controls, record] = Control(control); record != nullptr) {
    controls->SetValue(*record, value);
  }
}

Colour WinUi::ForeColour(ControlId control) const {
  const ControlRecord* record = ExistingControl(control).record;
  return record != nullptr ? record->foreColour : kSysWindowText;
}

void WinUi::SetForeColour(ControlId control, Colour colour) {
  if (const auto [controls, record] = Control(control); record != nullptr) {
    controls->SetForeColour(*record, colour);
  }
}

TwipsRect WinUi::ControlBounds(ControlId control) const {
  const auto [controls, record] = ExistingControl(control);
  return record != nullptr ? controls->Bounds(*record) : TwipsRect{};
}

void WinUi::SetControlLeft(ControlId control, float left) {
  if (const auto [controls, record] = Control(control); record != nullptr) {
    controls->SetLeft(*record, left);
  }
}

void WinUi::SetControlWidth(ControlId control, float width) {
  if (const auto [controls, record] = Control(control); record != nullptr) {
    controls->SetWidth(*record, width);
  }
}

float WinUi::ScaleWidth(ControlId container) const {
  const auto [controls, record] = ExistingControl(container);
  return record != nullptr ? controls->ScaleWidth(*record) : 0.0F;
}

bool WinUi::TimerEnabled() const {
  const FormWindow* form = Existing(WindowId::Principal);
  return form != nullptr && form->TimerEnabled();
}

void WinUi::SetTimerEnabled(bool enabled) {
  if (FormWindow* form = Live(WindowId::Principal); form != nullptr) {
    form->SetTimerEnabled(enabled);
  }
}

ScreenMetrics WinUi::Screen() const {
  return ScreenMetrics{
      .width = scale_.ToTwipsX(::GetSystemMetrics(SM_CXSCREEN)),
      .height = scale_.ToTwipsY(::GetSystemMetrics(SM_CYSCREEN)),
      .twipsPerPixelX = scale_.twipsPerPixelX,
      .twipsPerPixelY = scale_.twipsPerPixelY,
  };
}

}  // namespace nocturo::win32
