#include "platform/win32/container_window.hpp"

#include "platform/win32/window_proc.hpp"

namespace nocturo::win32 {
namespace {

constexpr const wchar_t* kPanelClass = L"Nocturo.Panel";
constexpr const wchar_t* kFrameClass = L"Nocturo.Frame";

const wchar_t* ClassFor(ContainerKind kind) {
  return kind == ContainerKind::Panel ? kPanelClass : kFrameClass;
}

}  // namespace

ContainerWindow::ContainerWindow(ContainerKind kind, HBRUSH background)
    : kind_(kind), background_(background) {}

HWND ContainerWindow::Create(HWND parent, const RECT& bounds, int dialogId) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = &WindowProcFor<ContainerWindow>;
  windowClass.hInstance = ProgramInstance();
  windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = ClassFor(kind_);
  EnsureClassRegistered(windowClass);
  // WS_EX_CONTROLPARENT lets the dialog keys (Tab, arrows, Alt+letter) reach
  // the controls inside. A frame's group box covers all of it and paints only
  // its border and caption, so a frame must not clip its children away when
  // it paints its own background.
  const DWORD clip = kind_ == ContainerKind::Panel ? WS_CLIPCHILDREN : 0;
  return ::CreateWindowExW(
      WS_EX_CONTROLPARENT, ClassFor(kind_), L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | clip,
      bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(dialogId)), ProgramInstance(), this);
}

LRESULT ContainerWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      window_ = window;
      break;
    case WM_NCDESTROY:
      window_ = nullptr;
      break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
      return OnForward(window, message, wParam, lParam);
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
      // Themed controls paint their parent's background through WM_PRINTCLIENT.
      return OnEraseBackground(window, reinterpret_cast<HDC>(wParam));
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT ContainerWindow::OnForward(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageW(::GetParent(window), message, wParam, lParam);
}

LRESULT ContainerWindow::OnEraseBackground(HWND window, HDC dc) {
  RECT client{};
  ::GetClientRect(window, &client);
  ::FillRect(dc, &client, background_);
  return 1;
}

}  // namespace nocturo::win32
