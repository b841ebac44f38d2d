#include "platform/win32/win_ui.hpp"

#include <memory>

#include "platform/win32/system_handles.hpp"

namespace nocturo::win32 {

WinUi::WinUi()
    : scale_(ScreenPixelScale()),
      taskbarCreatedMessage_(::RegisterWindowMessageW(L"TaskbarCreated")) {}

void WinUi::SetEvents(UiEvents& events) {
  SetUiEvents(&events);
  forms_.ForEach([&events](FormWindow& form) { form.SetEvents(&events); });
}

bool WinUi::TranslateDialogMessage(MSG& message) {
  bool used = false;
  bool found = false;
  forms_.ForEach([&](const FormWindow& form) {
    const HWND window = form.Handle();
    if (!found && window != nullptr &&
        (message.hwnd == window || ::IsChild(window, message.hwnd) != FALSE)) {
      found = true;
      used = ::IsDialogMessageW(window, &message) != FALSE;
    }
  });
  return used;
}

FormWindow* WinUi::Live(WindowId window) {
  return forms_.Live(window, [this, window] {
    auto form = std::make_unique<FormWindow>(DesignOf(window), scale_, taskbarCreatedMessage_,
                                             *this, commonControls_);
    form->SetEvents(uiEvents());
    return form;
  });
}

FormModel* WinUi::LiveModel(WindowId window) {
  FormWindow* form = Live(window);
  return form != nullptr ? &form->Model() : nullptr;
}

FormModel* WinUi::ExistingModel(WindowId window) const {
  FormWindow* form = forms_.Existing(window);
  return form != nullptr ? &form->Model() : nullptr;
}

void WinUi::Mirror(ControlId control, ControlAspect aspect) {
  if (FormWindow* form = forms_.Existing(WindowOf(control)); form != nullptr) {
    form->Mirror(control, aspect);
  }
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
  forms_.Destroy(window);
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
