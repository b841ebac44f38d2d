#include "platform/win32/readme_edit.hpp"

namespace nocturo::win32 {

LRESULT ReadmeEdit::HandleMessage(HWND /*control*/, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETDLGCODE) {
    return CallOriginal(message, wParam, lParam) &
           ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_HASSETSEL);
  }
  return CallOriginal(message, wParam, lParam);
}

}  // namespace nocturo::win32
