// The process entry point of nocturo.exe.
#include "main/application.hpp"
#include "platform/win32/win32_platform.hpp"

int WINAPI wWinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int /*show*/) {
  nocturo::win32::Win32Platform platform;
  nocturo::Application app(platform.AsPlatform());
  platform.SetEvents(app);
  // Main may end the process itself (a second copy, or an immediate action).
  app.Main();
  return platform.RunMessageLoop();
}
