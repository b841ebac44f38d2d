// The smallest program that does what Nocturo does at rest and while it
// counts, as a yardstick for bench/run.sh: one hidden window, one tray icon
// added with the first, 88-byte NOTIFYICONDATAA (the 64-bit build uses the
// same first version of the record in its native layout), and, with /E, a
// one-second timer that rewrites the icon's tooltip. It ends on WM_CLOSE.
// Built with the same toolchain and flags as nocturo.exe (cmake/windows.cmake).
#include <windows.h>

#include <shellapi.h>

#include <cwchar>

namespace {

constexpr UINT kTrayMessage = WM_APP + 1;
constexpr UINT_PTR kTimerId = 1;

NOTIFYICONDATAA g_icon{};
int g_seconds = 0;

void SetTip(int seconds) {
  // hh:mm:ss, written by hand: no printf in the yardstick either.
  char* tip = g_icon.szTip;
  const int parts[3] = {seconds / 3600, (seconds / 60) % 60, seconds % 60};
  int at = 0;
  for (int i = 0; i < 3; ++i) {
    if (i > 0) {
      tip[at++] = ':';
    }
    tip[at++] = static_cast<char>('0' + parts[i] / 10 % 10);
    tip[at++] = static_cast<char>('0' + parts[i] % 10);
  }
  tip[at] = '\0';
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      SetTip(++g_seconds);
      ::Shell_NotifyIconA(NIM_MODIFY, &g_icon);
      return 0;
    case WM_CLOSE:
      ::KillTimer(window, kTimerId);
      ::Shell_NotifyIconA(NIM_DELETE, &g_icon);
      ::DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR commandLine, int /*show*/) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = L"Nocturo.Baseline";
  ::RegisterClassW(&windowClass);
  HWND window = ::CreateWindowExW(0, windowClass.lpszClassName, L"Baseline", WS_OVERLAPPED, 0, 0,
                                  0, 0, nullptr, nullptr, instance, nullptr);

  g_icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
  g_icon.hWnd = window;
  g_icon.uID = 1;
  g_icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  g_icon.uCallbackMessage = kTrayMessage;
  g_icon.hIcon = ::LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  SetTip(0);
  ::Shell_NotifyIconA(NIM_ADD, &g_icon);

  if (std::wcsstr(commandLine, L"/E") != nullptr) {
    ::SetTimer(window, kTimerId, 1000, nullptr);
  }

  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
