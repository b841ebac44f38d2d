#pragma once

#include <functional>
#include <string_view>

#include "common/masked_time.hpp"
#include "platform/win32/subclassed_control.hpp"

namespace nocturo::win32 {

// An edit control whose every change goes through the "##:##:##" mask: typed
// and pasted digits overwrite digit places, deleting puts the prompt back, the
// colons never move. Only the user's own edits are reported (onUserEdit); a
// write by the program is not, so the program decides what its writes mean.
// The editing model belongs to the window's model, which answers the program
// whether or not the control exists.
class MaskedTimeEdit final : public SubclassedControl {
 public:
  MaskedTimeEdit(MaskedTime& model, std::function<void()> onUserEdit);

  // Shows the model's text and caret; after Attach, the mask's own text.
  void ShowModel();
  // A write by the program; not reported.
  void SetText(std::string_view text);

  LRESULT HandleMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  LRESULT OnChar(WPARAM character);
  bool OnKeyDown(WPARAM key);
  void OnPaste();
  void OnCut();

  // Brings the model's caret and selection up to the control's (the mouse and
  // shift-selection move them without telling the model).
  void ReadSelection();
  // Runs one edit of the model and, when the text changed, shows it and
  // reports it.
  template <class Edit>
  void UserEdit(Edit edit);

  MaskedTime& model_;
  std::function<void()> onUserEdit_;
};

}  // namespace nocturo::win32
