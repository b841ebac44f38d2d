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
// it with owner as its creation parameter. Nothing if the system refused.
UniqueWindow CreateClassWindow(const WindowClass& windowClass, WNDPROC procedure,
                               const WindowArgs& args, void* owner);

// A window whose messages go to owner.HandleMessage. The owner lets go of
// the handle at WM_NCDESTROY, when the system destroys it (with its parent,
// say), so that the handle is destroyed once either way.
template <class T>
UniqueWindow CreateWindowOf(T& owner, const WindowClass& windowClass, const WindowArgs& args) {
  return CreateClassWindow(windowClass, &WindowProcFor<T>, args, &owner);
}

}  // namespace nocturo::win32
