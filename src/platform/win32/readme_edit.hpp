#pragma once

#include "platform/win32/subclassed_control.hpp"

namespace nocturo::win32 {

// The read-me box: a read-only multi-line edit that still lets Tab, Enter and
// Escape go to the window, and does not select its whole text when tabbed
// into (a multi-line edit wants every key, and can never use them read-only).
class ReadmeEdit final : public SubclassedControl {
 public:
  LRESULT HandleMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace nocturo::win32
