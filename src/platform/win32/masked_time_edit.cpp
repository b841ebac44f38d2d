#include "platform/win32/masked_time_edit.hpp"

#include <utility>

#include "platform/win32/wide_text.hpp"

namespace nocturo::win32 {
namespace {

constexpr WPARAM kCtrlA = 0x01;
constexpr WPARAM kCtrlC = 0x03;
constexpr WPARAM kCtrlV = 0x16;
constexpr WPARAM kCtrlX = 0x18;

bool KeyDown(int key) {
  return (::GetKeyState(key) & 0x8000) != 0;
}

// The clipboard's text, or nothing when it holds none.
std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  if (::OpenClipboard(owner) == FALSE) {
    return text;
  }
  if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT); data != nullptr) {
    if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data)); chars != nullptr) {
      text = chars;
      ::GlobalUnlock(data);
    }
  }
  ::CloseClipboard();
  return text;
}

}  // namespace

MaskedTimeEdit::MaskedTimeEdit(MaskedTime& model, std::function<void()> onUserEdit)
    : model_(model), onUserEdit_(std::move(onUserEdit)) {}

void MaskedTimeEdit::SetText(std::string_view text) {
  model_.SetText(text);
  ShowModel();
}

LRESULT MaskedTimeEdit::HandleMessage(HWND /*control*/, UINT message, WPARAM wParam,
                                      LPARAM lParam) {
  switch (message) {
    case WM_CHAR:
      return OnChar(wParam);
    case WM_KEYDOWN:
      if (OnKeyDown(wParam)) {
        return 0;
      }
      break;
    case WM_PASTE:
      OnPaste();
      return 0;
    case WM_CUT:
      OnCut();
      return 0;
    case WM_CLEAR:
      UserEdit([](MaskedTime& m) { return m.ClearSelection(); });
      return 0;
    case EM_REPLACESEL: {
      // Text put in by another program or an accessibility tool: as a paste.
      const std::string text = lParam != 0 ? Narrow(reinterpret_cast<const wchar_t*>(lParam)) : "";
      UserEdit([&text](MaskedTime& m) { return m.Paste(text); });
      return 0;
    }
    case WM_SETTEXT:
      // Anyone setting the whole text is the program, not the user.
      SetText(lParam != 0 ? Narrow(reinterpret_cast<const wchar_t*>(lParam)) : "");
      return TRUE;
    case WM_UNDO:
    case EM_UNDO:
    case EM_CANUNDO:
    case WM_IME_CHAR:
      return 0;  // the edit's own undo buffer knows nothing of the mask
    default:
      break;
  }
  return CallOriginal(message, wParam, lParam);
}

LRESULT MaskedTimeEdit::OnChar(WPARAM character) {
  switch (character) {
    case VK_BACK:
      UserEdit([](MaskedTime& m) { return m.Backspace(); });
      return 0;
    case kCtrlC:
    case kCtrlV:
    case kCtrlX:
      // The edit turns these into WM_COPY, WM_PASTE and WM_CUT, handled here.
      return CallOriginal(WM_CHAR, character, 0);
    case kCtrlA:
      CallOriginal(EM_SETSEL, 0, -1);
      return 0;
    default:
      break;
  }
  if (character >= L'0' && character <= L'9') {
    const char digit = static_cast<char>(character);
    UserEdit([digit](MaskedTime& m) { return m.Type(digit); });
  }
  // Anything else would break the mask (including Ctrl+Backspace's word
  // delete), so it is dropped.
  return 0;
}

bool MaskedTimeEdit::OnKeyDown(WPARAM key) {
  const bool shift = KeyDown(VK_SHIFT);
  switch (key) {
    case VK_DELETE:
      if (shift) {
        return false;  // Shift+Delete is cut: the edit sends WM_CUT
      }
      UserEdit([](MaskedTime& m) { return m.Delete(); });
      return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
      if (shift) {
        return false;  // the edit extends the selection itself
      }
      ReadSelection();
      if (key == VK_LEFT) {
        model_.Left();
      } else if (key == VK_RIGHT) {
        model_.Right();
      } else if (key == VK_HOME) {
        model_.Home();
      } else {
        model_.End();
      }
      CallOriginal(EM_SETSEL, model_.Caret(), static_cast<LPARAM>(model_.Caret()));
      return true;
    default:
      return false;
  }
}

void MaskedTimeEdit::OnPaste() {
  const std::string text = Narrow(ClipboardText(Handle()));
  UserEdit([&text](MaskedTime& m) { return m.Paste(text); });
}

void MaskedTimeEdit::OnCut() {
  CallOriginal(WM_COPY, 0, 0);
  UserEdit([](MaskedTime& m) { return m.ClearSelection(); });
}

void MaskedTimeEdit::ReadSelection() {
  DWORD start = 0;
  DWORD end = 0;
  CallOriginal(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  if (start == end) {
    model_.MoveCaret(start);
  } else {
    model_.SetSelection(start, end);
  }
}

void MaskedTimeEdit::ShowModel() {
  if (Handle() == nullptr) {
    return;
  }
  const std::wstring text = Widen(model_.Text());
  CallOriginal(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  CallOriginal(EM_SETSEL, model_.SelectionStart(), static_cast<LPARAM>(model_.SelectionEnd()));
}

template <class Edit>
void MaskedTimeEdit::UserEdit(Edit edit) {
  ReadSelection();
  const bool changed = edit(model_);
  ShowModel();
  if (changed && onUserEdit_) {
    onUserEdit_();
  }
}

}  // namespace nocturo::win32
