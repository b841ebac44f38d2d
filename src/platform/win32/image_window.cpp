#include "platform/win32/image_window.hpp"

#include "platform/win32/window_class.hpp"

namespace nocturo::win32 {
namespace {

constexpr const wchar_t* kImageClass = L"Nocturo.Image";
constexpr int kIconPixels = 32;

}  // namespace

ImageWindow::ImageWindow(int iconResource, HBRUSH background)
    : icon_(
          static_cast<HICON>(::LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(iconResource),
                                          IMAGE_ICON, kIconPixels, kIconPixels, LR_DEFAULTCOLOR))),
      background_(background) {}

HWND ImageWindow::Create(HWND parent, const RECT& bounds, int dialogId) {
  return window_.Create({.name = kImageClass}, {.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                                                .bounds = bounds,
                                                .parent = parent,
                                                .dialogId = dialogId});
}

LRESULT ImageWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_PAINT:
      return OnPaint(window);
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT ImageWindow::OnPaint(HWND window) {
  PAINTSTRUCT paint{};
  const HDC dc = ::BeginPaint(window, &paint);
  RECT client{};
  ::GetClientRect(window, &client);
  ::FillRect(dc, &client, background_);
  if (icon_) {
    ::DrawIconEx(dc, 0, 0, icon_.get(), kIconPixels, kIconPixels, 0, nullptr, DI_NORMAL);
  }
  ::EndPaint(window, &paint);
  return 0;
}

}  // namespace nocturo::win32
