#include "platform/win32/win32_platform.hpp"

namespace nocturo::win32 {

Win32Platform::Win32Platform() : platform_{ui_, system_, clock_, settings_, regional_} {}

int Win32Platform::RunMessageLoop() {
  MSG message{};
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (ui_.TranslateDialogMessage(message)) {
      continue;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace nocturo::win32
