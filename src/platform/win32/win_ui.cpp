#include "platform/win32/win_ui.hpp"

#include <memory>

#include "platform/win32/system_handles.hpp"

namespace nocturo::win32 {

WinUi::WinUi(CommonControls& commonControls)
    : scale_(ScreenPixelScale()),
      taskbarCreatedMessage_(::RegisterWindowMessageW(L"TaskbarCreated")),
      commonControls_(commonControls) {}

bool WinUi::TranslateDialogMessage(MSG& message) {
  bool used = false;
  bool found = false;
  ForEachForm([&](const FormWindow& form) {
    const HWND window = form.Handle();
    if (!found && window != nullptr &&
        (message.hwnd == window || ::IsChild(window, message.hwnd) != FALSE)) {
      found = true;
      used = ::IsDialogMessageW(window, &message) != FALSE;
    }
  });
  return used;
}

WinUi::FormPtr WinUi::Make(WindowId window) {
  return std::make_unique<FormWindow>(DesignOf(window), scale_, taskbarCreatedMessage_, *this,
                                      commonControls_);
}

std::uint32_t WinUi::Handle(WindowId window) {
  const FormWindow* form = Live(window);
  return form != nullptr ? ToHandle32(form->Handle()) : 0;
}

std::uint32_t WinUi::Icon(WindowId window) {
  const FormWindow* form = Live(window);
  return form != nullptr ? ToHandle32(form->Icon()) : 0;
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
