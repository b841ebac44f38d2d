#include "platform/win32/win_ui.hpp"

#include "platform/win32/system_handles.hpp"

namespace nocturo::win32 {
namespace {

std::size_t Slot(WindowId window) {
  return static_cast<std::size_t>(window);
}

}  // namespace

WinUi::WinUi()
    : scale_(PixelScale::OfScreen()),
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

FormWindow& WinUi::Ensure(WindowId window) {
  std::unique_ptr<FormWindow>& form = forms_[Slot(window)];
  if (!form || form->Handle() == nullptr) {
    if (form) {
      retired_.push_back(std::move(form));
    }
    // Stored before it is built: the load handler already reaches the window.
    form = std::make_unique<FormWindow>(DesignOf(window), scale_, taskbarCreatedMessage_);
    form->SetEvents(events_);
    FormWindow& created = *form;
    created.Create();
    return created;
  }
  return *form;
}

const FormWindow* WinUi::Existing(WindowId window) const {
  const std::unique_ptr<FormWindow>& form = forms_[Slot(window)];
  return form && form->Handle() != nullptr ? form.get() : nullptr;
}

ControlRecord* WinUi::Control(ControlId control) {
  return Ensure(WindowOf(control)).Controls().Find(control);
}

const ControlRecord* WinUi::ExistingControl(ControlId control) const {
  const FormWindow* form = Existing(WindowOf(control));
  return form != nullptr ? form->Controls().Find(control) : nullptr;
}

bool WinUi::Exists(WindowId window) const {
  return Existing(window) != nullptr;
}

void WinUi::Load(WindowId window) {
  Ensure(window);
}

void WinUi::Show(WindowId window) {
  Ensure(window).Show();
}

void WinUi::Hide(WindowId window) {
  Ensure(window).Hide();
}

bool WinUi::IsVisible(WindowId window) const {
  const FormWindow* form = Existing(window);
  return form != nullptr && form->IsVisible();
}

void WinUi::Repaint(WindowId window) {
  Ensure(window).Repaint();
}

void WinUi::Destroy(WindowId window) {
  std::unique_ptr<FormWindow>& form = forms_[Slot(window)];
  if (form) {
    form->Destroy();
    retired_.push_back(std::move(form));
  }
}

void WinUi::SetCaption(WindowId window, std::string_view text) {
  Ensure(window).SetCaption(text);
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
  Ensure(window).Move(left, top);
}

std::uint32_t WinUi::Handle(WindowId window) {
  return ToHandle32(Ensure(window).Handle());
}

std::uint32_t WinUi::Icon(WindowId window) {
  return ToHandle32(Ensure(window).Icon());
}

void WinUi::PopupMenu(WindowId window) {
  Ensure(window).PopupMenu();
}

std::string WinUi::Text(ControlId control) const {
  const FormWindow* form = Existing(WindowOf(control));
  const ControlRecord* record = ExistingControl(control);
  return record != nullptr ? form->Controls().Text(*record) : std::string();
}

void WinUi::SetText(ControlId control, std::string_view text) {
  if (ControlRecord* record = Control(control); record != nullptr) {
    Ensure(WindowOf(control)).Controls().SetText(*record, text);
  }
}

bool WinUi::Enabled(ControlId control) const {
  const ControlRecord* record = ExistingControl(control);
  return record != nullptr && record->ownEnabled;
}

void WinUi::SetEnabled(ControlId control, bool enabled) {
  if (ControlRecord* record = Control(control); record != nullptr) {
    Ensure(WindowOf(control)).Controls().SetEnabled(*record, enabled);
  }
}

int WinUi::Value(ControlId control) const {
  const FormWindow* form = Existing(WindowOf(control));
  const ControlRecord* record = ExistingControl(control);
  return record != nullptr ? form->Controls().Value(*record) : 0;
}

void WinUi::SetValue(ControlId control, int value) {
  if (ControlRecord* record = Control(control); record != nullptr) {
    Ensure(WindowOf(control)).Controls().SetValue(*record, value);
  }
}

Colour WinUi::ForeColour(ControlId control) const {
  const ControlRecord* record = ExistingControl(control);
  return record != nullptr ? record->foreColour : kSysWindowText;
}

void WinUi::SetForeColour(ControlId control, Colour colour) {
  if (ControlRecord* record = Control(control); record != nullptr) {
    Ensure(WindowOf(control)).Controls().SetForeColour(*record, colour);
  }
}

TwipsRect WinUi::ControlBounds(ControlId control) const {
  const FormWindow* form = Existing(WindowOf(control));
  const ControlRecord* record = ExistingControl(control);
  return record != nullptr ? form->Controls().Bounds(*record) : TwipsRect{};
}

void WinUi::SetControlLeft(ControlId control, float left) {
  if (ControlRecord* record = Control(control); record != nullptr) {
    Ensure(WindowOf(control)).Controls().SetLeft(*record, left);
  }
}

void WinUi::SetControlWidth(ControlId control, float width) {
  if (ControlRecord* record = Control(control); record != nullptr) {
    Ensure(WindowOf(control)).Controls().SetWidth(*record, width);
  }
}

float WinUi::ScaleWidth(ControlId container) const {
  const FormWindow* form = Existing(WindowOf(container));
  const ControlRecord* record = ExistingControl(container);
  return record != nullptr ? form->Controls().ScaleWidth(*record) : 0.0F;
}

bool WinUi::TimerEnabled() const {
  const FormWindow* form = Existing(WindowId::Principal);
  return form != nullptr && form->TimerEnabled();
}

void WinUi::SetTimerEnabled(bool enabled) {
  Ensure(WindowId::Principal).SetTimerEnabled(enabled);
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
