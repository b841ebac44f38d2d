#pragma once

#include "platform/ui.hpp"
#include "platform/win32/common_controls.hpp"
#include "platform/win32/form_window.hpp"
#include "platform/win32/pixel_scale.hpp"
#include "ui/window_ui.hpp"

namespace nocturo::win32 {

// The program's windows on Windows. What the program sets on controls lives
// in each window's model; the real controls show it once their window has
// been shown.
class WinUi final : public WindowUi<FormWindow> {
 public:
  // The windows' controls load the library when first made.
  explicit WinUi(CommonControls& commonControls);

  // Gives the dialog keys (Tab, arrows, Alt+letter, Enter) of a message meant
  // for one of the windows to that window; true when it was used up.
  bool TranslateDialogMessage(MSG& message);

  std::uint32_t Handle(WindowId window) override;
  std::uint32_t Icon(WindowId window) override;
  ScreenMetrics Screen() const override;

 private:
  FormPtr Make(WindowId window) override;

  PixelScale scale_;
  UINT taskbarCreatedMessage_;
  CommonControls& commonControls_;
};

}  // namespace nocturo::win32
