#pragma once

#include "platform/win32/win32_api.hpp"

namespace nocturo::win32 {

// Takes over a standard control's window procedure for a T, which handles the
// messages it cares about in HandleMessage and passes the rest to
// CallOriginal. The control keeps its owner in its user data (standard
// controls leave that slot to the application) and gets its own procedure back
// at WM_NCDESTROY.
class SubclassedControl {
 public:
  SubclassedControl() = default;
  SubclassedControl(const SubclassedControl&) = delete;
  SubclassedControl& operator=(const SubclassedControl&) = delete;
  virtual ~SubclassedControl() = default;

  void Attach(HWND control);
  HWND Handle() const { return control_; }

  virtual LRESULT HandleMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam) = 0;

 protected:
  LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) const;

 private:
  static LRESULT CALLBACK Procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

  HWND control_ = nullptr;
  WNDPROC original_ = nullptr;
};

}  // namespace nocturo::win32
