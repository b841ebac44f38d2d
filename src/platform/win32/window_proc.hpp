#pragma once

#include "platform/win32/win32_api.hpp"

namespace nocturo::win32 {

// The static window procedure for a class whose windows are owned by a T:
// CreateWindowEx passes the T as its creation parameter, the procedure keeps
// it in the window's user data from WM_NCCREATE on and forwards every message
// to T::HandleMessage. After WM_NCDESTROY the window forgets its owner.
template <class T>
LRESULT CALLBACK WindowProcFor(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  T* self = nullptr;
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    self = static_cast<T*>(create->lpCreateParams);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<T*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (self == nullptr) {
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  }
  return self->HandleMessage(window, message, wParam, lParam);
}

// The module the program's windows and resources belong to.
HINSTANCE ProgramInstance();

}  // namespace nocturo::win32
