#pragma once

#include "platform/win32/window_class.hpp"

namespace nocturo::win32 {

enum class ContainerKind { Panel, Frame };

// A child window that holds other controls: the header band (a panel with its
// own back colour) or a frame. Controls report to their parent, so a container
// passes their notifications and colour requests up to its window, where the
// program's controls are known.
class ContainerWindow {
 public:
  // background is not owned; it outlives the window.
  ContainerWindow(ContainerKind kind, HBRUSH background);
  ContainerWindow(const ContainerWindow&) = delete;
  ContainerWindow& operator=(const ContainerWindow&) = delete;

  HWND Create(HWND parent, const RECT& bounds, int dialogId);
  HWND Handle() const { return window_.get(); }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT OnForward(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnEraseBackground(HWND window, HDC dc);

  ContainerKind kind_;
  HBRUSH background_;
  ClassWindow<ContainerWindow> window_{*this};  // usually destroyed with its parent
};

}  // namespace nocturo::win32
