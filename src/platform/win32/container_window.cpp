#include "platform/win32/container_window.hpp"

#include "platform/win32/window_class.hpp"

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
  // WS_EX_CONTROLPARENT lets the dialog keys (Tab, arrows, Alt+letter) reach
  // the controls inside. A frame's group box covers all of it and paints only
  // its border and caption, so a frame must not clip its children away when
  // it paints its own background.
  const DWORD clip = kind_ == ContainerKind::Panel ? WS_CLIPCHILDREN : 0;
  return window_.Create({.name = ClassFor(kind_)},
                        {.exStyle = WS_EX_CONTROLPARENT,
                         .style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | clip,
                         .bounds = bounds,
                         .parent = parent,
                         .dialogId = dialogId});
}

LRESULT ContainerWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
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
