#pragma once

#include "platform/win32/handles.hpp"
#include "platform/win32/window_class.hpp"

namespace nocturo::win32 {

// The header's logo: an icon resource drawn at 32x32 pixels from the top-left
// corner, over its container's background (the image has none of its own).
class ImageWindow {
 public:
  // background is not owned; it outlives the window.
  ImageWindow(int iconResource, HBRUSH background);
  ImageWindow(const ImageWindow&) = delete;
  ImageWindow& operator=(const ImageWindow&) = delete;

  HWND Create(HWND parent, const RECT& bounds, int dialogId);

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT OnPaint(HWND window);

  UniqueIcon icon_;
  HBRUSH background_;
  ClassWindow<ImageWindow> window_{*this};  // usually destroyed with its parent
};

}  // namespace nocturo::win32
