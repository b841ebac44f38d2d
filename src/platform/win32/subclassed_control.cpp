#include "platform/win32/subclassed_control.hpp"

namespace nocturo::win32 {

void SubclassedControl::Attach(HWND control) {
  control_ = control;
  ::SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  original_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
}

LRESULT SubclassedControl::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::CallWindowProcW(original_, control_, message, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::Procedure(HWND control, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  auto* self = reinterpret_cast<SubclassedControl*>(::GetWindowLongPtrW(control, GWLP_USERDATA));
  if (self == nullptr) {
    return ::DefWindowProcW(control, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    const LRESULT result = self->CallOriginal(message, wParam, lParam);
    ::SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->original_));
    ::SetWindowLongPtrW(control, GWLP_USERDATA, 0);
    self->control_ = nullptr;
    return result;
  }
  return self->HandleMessage(control, message, wParam, lParam);
}

}  // namespace nocturo::win32
