#pragma once

#include "platform/win32/handles.hpp"
#include "platform/win32/window_proc.hpp"

namespace nocturo::win32 {

// One of the program's own window classes, all with the arrow cursor.
struct WindowClass {
  const wchar_t* name = nullptr;
  HBRUSH background = nullptr;  // nothing: the window paints its own background
};

// How a window of such a class is made.
struct WindowArgs {
  DWORD exStyle = 0;
  DWORD style = 0;
  const wchar_t* caption = L"";
  RECT bounds{};  // pixels: on the screen, or in the parent's client area
  HWND parent = nullptr;
  int dialogId = 0;  // a child's id in the notifications it sends its parent
};

// Registers windowClass with procedure unless this process already has it
// (classes stay registered until the program ends), then makes a window of
// it with creationParameter.
void CreateClassWindow(const WindowClass& windowClass, WNDPROC procedure, const WindowArgs& args,
                       void* creationParameter);

// The window of an Owner, which handles its messages in Owner::HandleMessage.
// The handle is known from WM_NCCREATE on, so the owner's handlers can use it
// while the window is being made, and forgotten at WM_NCDESTROY: a window the
// system destroys first (a child, with its parent) is not destroyed again.
template <class Owner>
class ClassWindow {
 public:
  explicit ClassWindow(Owner& owner) : owner_(owner) {}
  ClassWindow(const ClassWindow&) = delete;
  ClassWindow& operator=(const ClassWindow&) = delete;
  // reset() forgets the handle before destroying the window, so WM_NCDESTROY
  // finds nothing left to release.
  ~ClassWindow() { window_.reset(); }

  HWND Create(const WindowClass& windowClass, const WindowArgs& args) {
    CreateClassWindow(windowClass, &WindowProcFor<ClassWindow>, args, this);
    return get();
  }
  HWND get() const { return window_.get(); }
  void Destroy() { window_.reset(); }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      window_.reset(window);
    }
    const LRESULT result = owner_.HandleMessage(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      (void)window_.release();
    }
    return result;
  }

 private:
  Owner& owner_;
  UniqueWindow window_;
};

}  // namespace nocturo::win32
