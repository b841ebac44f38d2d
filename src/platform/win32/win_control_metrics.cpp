#include "platform/win32/win_control_metrics.hpp"

#include "platform/win32/handles.hpp"
#include "platform/win32/wide_text.hpp"

namespace nocturo::win32 {

// The screen's device context measures as a label's own would: neither has a
// font of its own until one is selected.
ControlMetrics::Extent WinControlMetrics::TextExtent(const ControlDesign& label,
                                                     std::string_view text, float width) const {
  const std::wstring wide = Widen(text);
  const int pixelWidth = scale().ToPixelsX(width);
  RECT extent{0, 0, pixelWidth, 0};
  {
    const WindowDc dc;
    const SelectedObject font(dc.get(), fonts_.Get(label.font ? *label.font : windowFont_));
    const UINT format = label.wordWrap ? DT_CALCRECT | DT_WORDBREAK : DT_CALCRECT | DT_SINGLELINE;
    ::DrawTextW(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &extent, format);
  }
  const int pixels = label.wordWrap ? pixelWidth : extent.right - extent.left;
  return Extent{scale().ToTwipsX(pixels), scale().ToTwipsY(extent.bottom - extent.top)};
}

}  // namespace nocturo::win32
