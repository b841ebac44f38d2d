// nocturo_probe: whether this Wine prefix runs programs of this build's
// architecture at all. It loads kernel32 and user32 (the loader's work that
// fails when 32-bit Wine cannot map its address space, or when the prefix has
// no 32-bit system folder) and ends with exit code 42, which no loader failure
// gives.
#include <windows.h>

int wmain() {
  // A user32 call makes the loader bring in the whole windowing side too.
  const int width = GetSystemMetrics(SM_CXSCREEN);
  return width >= 0 ? 42 : 43;
}
