#include "platform/win32/window_class.hpp"

namespace nocturo::win32 {
namespace {

void EnsureRegistered(const WindowClass& windowClass, WNDPROC procedure) {
  const HINSTANCE instance = ProgramInstance();
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExW(instance, windowClass.name, &existing) != FALSE) {
    return;
  }
  WNDCLASSEXW registration{};
  registration.cbSize = sizeof registration;
  registration.lpfnWndProc = procedure;
  registration.hInstance = instance;
  registration.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  registration.hbrBackground = windowClass.background;
  registration.lpszClassName = windowClass.name;
  ::RegisterClassExW(&registration);
}

}  // namespace

void CreateClassWindow(const WindowClass& windowClass, WNDPROC procedure, const WindowArgs& args,
                       void* creationParameter) {
  EnsureRegistered(windowClass, procedure);
  const RECT& bounds = args.bounds;
  // The owner has the handle from WM_NCCREATE on.
  (void)::CreateWindowExW(args.exStyle, windowClass.name, args.caption, args.style, bounds.left,
                          bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                          args.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.dialogId)),
                          ProgramInstance(), creationParameter);
}

}  // namespace nocturo::win32
