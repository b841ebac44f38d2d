#include "platform/win32/form_window.hpp"

#include "platform/win32/colours.hpp"
#include "platform/win32/resource_ids.h"
#include "platform/win32/wide_text.hpp"
#include "platform/win32/window_class.hpp"
#include "platform/win32/window_proc.hpp"
#include "platform/win32/window_text.hpp"

namespace nocturo::win32 {
namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerMilliseconds = 1000;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// A tool window without an owner has no taskbar button; WS_EX_CONTROLPARENT
// lets the dialog keys work through the containers.
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;

// The end-to-end driver finds the windows by these names.
const wchar_t* ClassName(WindowId window) {
  return window == WindowId::Principal ? L"Nocturo.FrPrincipal" : L"Nocturo.FrAcercaDe";
}

}  // namespace

FormWindow::FormWindow(const WindowDesign& design, const PixelScale& scale,
                       UINT taskbarCreatedMessage, ModelUi& ui, CommonControls& commonControls)
    : design_(design),
      scale_(scale),
      taskbarCreatedMessage_(taskbarCreatedMessage),
      ui_(ui),
      commonControls_(commonControls),
      fonts_(scale),
      metrics_(scale, fonts_, design.font),
      model_(design, metrics_),
      controls_(model_) {}

void FormWindow::Create() {
  RECT outer{0, 0, scale_.ToPixelsX(design_.clientWidth), scale_.ToPixelsY(design_.clientHeight)};
  ::AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
  const int width = outer.right - outer.left;
  const int height = outer.bottom - outer.top;
  const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  const std::wstring caption = Widen(design_.caption);
  window_.Create({.name = ClassName(design_.id), .background = ::GetSysColorBrush(COLOR_BTNFACE)},
                 {.exStyle = kExStyle,
                  .style = kStyle,
                  .caption = caption.c_str(),
                  .bounds = {left, top, left + width, top + height}});
  if (Handle() == nullptr) {
    return;
  }
  if (design_.hasIcon) {
    LoadIcons();
  }
  BuildMenu();
  building_ = false;
  if (events_ != nullptr) {
    events_->OnLoad(design_.id);
  }
}

void FormWindow::LoadIcons() {
  const auto load = [](int width, int height) {
    return static_cast<HICON>(::LoadImageW(ProgramInstance(), MAKEINTRESOURCEW(NOCTURO_IDI_PROGRAM),
                                           IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
  };
  bigIcon_.reset(load(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON)));
  smallIcon_.reset(load(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON)));
  ::SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
  ::SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

// The window's menu is never attached as a menu bar: it exists only to pop up.
// Item n (from 1) carries the command n.
void FormWindow::BuildMenu() {
  menu_.reset(::CreatePopupMenu());
  UINT command = 1;
  for (const MenuItemDesign& item : design_.menu.items) {
    ::AppendMenuW(menu_.get(), MF_STRING, command++, Widen(item.caption).c_str());
  }
}

// The controls, their fonts and images are made as the model has them now:
// most runs never show the About window, and the main window not at start.
void FormWindow::MakeControls() {
  if (controls_.Built()) {
    return;
  }
  commonControls_.Load();
  const HFONT windowFont = fonts_.Get(design_.font);
  ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(windowFont), FALSE);
  building_ = true;
  controls_.Build(Handle(), fonts_,
                  {.scale = scale_, .windowFont = windowFont, .onMaskedEdit = [this](ControlId id) {
                     ReportTimeEdit(id);
                   }});
  building_ = false;
  // A window activated while it had no controls (the tray menu's owner) gives
  // one of them the focus now, as its activation would have.
  if (::GetActiveWindow() == Handle()) {
    FocusOnActivation();
  }
}

void FormWindow::Show() {
  MakeControls();
  ::ShowWindow(Handle(), SW_SHOW);
  ::SetForegroundWindow(Handle());
  if (design_.focusWhenShown) {
    if (const ControlRecord* record = controls_.Find(*design_.focusWhenShown); record != nullptr) {
      lastFocus_ = record->window;  // also where a later activation returns
      ::SetFocus(record->window);
    }
  }
}

void FormWindow::Hide() {
  ::ShowWindow(Handle(), SW_HIDE);
}

bool FormWindow::IsVisible() const {
  return ::IsWindowVisible(Handle()) != FALSE;
}

void FormWindow::Repaint() {
  ::RedrawWindow(Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void FormWindow::Destroy() {
  if (timerEnabled_) {
    SetTimerEnabled(false);
  }
  window_.Destroy();
}

std::string FormWindow::Caption() const {
  return Narrow(ReadWindowText(Handle()));
}

void FormWindow::SetCaption(std::string_view text) {
  ::SetWindowTextW(Handle(), Widen(text).c_str());
}

TwipsRect FormWindow::Bounds() const {
  RECT rect{};
  ::GetWindowRect(Handle(), &rect);
  return TwipsRect{scale_.ToTwipsX(rect.left), scale_.ToTwipsY(rect.top),
                   scale_.ToTwipsX(rect.right - rect.left),
                   scale_.ToTwipsY(rect.bottom - rect.top)};
}

void FormWindow::Move(float left, float top) {
  ::SetWindowPos(Handle(), nullptr, scale_.ToPixelsX(left), scale_.ToPixelsY(top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Tray etiquette: the window comes to the foreground first, so the menu closes
// when the user clicks elsewhere, and a null message afterwards lets it close
// properly. The chosen item is reported before returning.
void FormWindow::PopupMenu() {
  const HWND window = Handle();
  if (menu_ == nullptr || window == nullptr) {
    return;
  }
  ::SetForegroundWindow(window);
  POINT pointer{};
  ::GetCursorPos(&pointer);
  const UINT alignment =
      ::GetSystemMetrics(SM_MENUDROPALIGNMENT) != 0 ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
  const BOOL command =
      ::TrackPopupMenu(menu_.get(), alignment | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                       pointer.x, pointer.y, 0, window, nullptr);
  ::PostMessageW(window, WM_NULL, 0, 0);
  const auto position = static_cast<std::size_t>(command);
  if (command > 0 && position <= design_.menu.items.size() && events_ != nullptr) {
    events_->OnMenuItem(design_.menu.items[position - 1].index);
  }
}

void FormWindow::SetTimerEnabled(bool enabled) {
  if (enabled == timerEnabled_) {
    return;
  }
  if (enabled) {
    ::SetTimer(Handle(), kTimerId, kTimerMilliseconds, nullptr);
  } else {
    ::KillTimer(Handle(), kTimerId);
  }
  timerEnabled_ = enabled;
}

LRESULT FormWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCDESTROY:
      OnNcDestroy();
      break;
    case WM_COMMAND:
      return OnCommand(wParam, lParam);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      return OnControlColour(window, message, wParam, lParam);
    case WM_ACTIVATE:
      if (OnActivate(wParam)) {
        return 0;
      }
      break;
    case WM_SHOWWINDOW:
      OnShowWindow(wParam != FALSE);
      break;
    case WM_SIZE:
      OnSize();
      break;
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;  // the program decides; the window is never closed here
    case WM_MOUSEMOVE:
      OnMouseMove(lParam);
      return 0;
    case DM_GETDEFID:
      return OnGetDefId();
    default:
      if (message == taskbarCreatedMessage_ && message != 0) {
        OnTaskbarCreated();
        return 0;
      }
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

LRESULT FormWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
  const auto control = reinterpret_cast<HWND>(lParam);
  const ControlRecord* record = controls_.FindByWindow(control);
  if (record == nullptr || building_ || controls_.Mirroring()) {
    return 0;
  }
  const UINT code = HIWORD(wParam);
  const ControlId id = record->design->id;
  switch (record->design->kind) {
    case ControlKind::Button:
    case ControlKind::OptionButton:
    case ControlKind::CheckBox:
      if (code == BN_CLICKED) {
        ui_.UserClick(id);
      }
      break;
    case ControlKind::TextBox:
      if (code == EN_CHANGE) {
        ui_.UserEdit(id, Narrow(ReadWindowText(control)));
      }
      break;
    default:
      // The time box reports the user's edits itself; its EN_CHANGE also
      // follows the program's writes, which are not reported.
      break;
  }
  return 0;
}

LRESULT FormWindow::OnControlColour(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const ControlRecord* record = controls_.FindByWindow(reinterpret_cast<HWND>(lParam));
  if (record == nullptr) {
    return ::DefWindowProcW(window, message, wParam, lParam);
  }
  const auto dc = reinterpret_cast<HDC>(wParam);
  ::SetTextColor(dc, ToColorRef(model_.ForeColour(record->design->id)));
  ::SetBkColor(dc, ToColorRef(record->backColour));
  return reinterpret_cast<LRESULT>(record->backBrush);
}

// The focus returns to where the user left it, or on first showing goes to
// the first control in tab order that can take it.
bool FormWindow::OnActivate(WPARAM wParam) {
  const HWND window = Handle();
  if (LOWORD(wParam) == WA_INACTIVE) {
    const HWND focus = ::GetFocus();
    if (focus != nullptr && ::IsChild(window, focus) != FALSE) {
      lastFocus_ = focus;
    }
    return false;
  }
  return FocusOnActivation();
}

bool FormWindow::FocusOnActivation() {
  const HWND window = Handle();
  HWND target = lastFocus_;
  if (target == nullptr || ::IsChild(window, target) == FALSE ||
      ::IsWindowEnabled(target) == FALSE || ::IsWindowVisible(target) == FALSE) {
    target = controls_.FirstFocusable();
  }
  if (target == nullptr) {
    return false;
  }
  ::SetFocus(target);
  return true;
}

// Showing counts as a resize: the header band is laid out before it is seen.
void FormWindow::OnShowWindow(bool showing) {
  if (showing && !building_ && events_ != nullptr) {
    events_->OnResize(design_.id);
  }
}

void FormWindow::OnSize() {
  if (!building_ && events_ != nullptr) {
    events_->OnResize(design_.id);
  }
}

void FormWindow::OnTimer(WPARAM timerId) {
  if (timerId == kTimerId && timerEnabled_ && events_ != nullptr) {
    events_->OnTimer();
  }
}

void FormWindow::OnClose() {
  if (events_ != nullptr) {
    events_->OnCloseBox(design_.id);
  }
}

// The tray icon's notifications arrive here as mouse moves (x carries the
// mouse message). A move the pointer made carries the position the system
// recorded with the message; a notification claims another one, wherever the
// pointer happens to rest. Only the About window, which owns the icon, has a
// mouse-move handler.
void FormWindow::OnMouseMove(LPARAM lParam) {
  if (design_.id != WindowId::AcercaDe || events_ == nullptr || building_) {
    return;
  }
  const DWORD recorded = ::GetMessagePos();
  POINT pointer{GET_X_LPARAM(recorded), GET_Y_LPARAM(recorded)};
  ::ScreenToClient(Handle(), &pointer);
  const int x = GET_X_LPARAM(lParam);
  const int y = GET_Y_LPARAM(lParam);
  const bool pointerMove = pointer.x == x && pointer.y == y;
  events_->OnMouseMove(design_.id, static_cast<float>(x) * scale_.twipsPerPixelX,
                       static_cast<float>(y) * scale_.twipsPerPixelY, pointerMove);
}

// Every top-level window hears that the taskbar came back; the About window,
// which owns the tray icon, reports it once.
void FormWindow::OnTaskbarCreated() {
  if (design_.id == WindowId::AcercaDe && events_ != nullptr) {
    events_->OnTaskbarCreated();
  }
}

// Enter clicks the focused button, as in a dialog box.
LRESULT FormWindow::OnGetDefId() const {
  const HWND focus = ::GetFocus();
  const ControlRecord* record = controls_.FindByWindow(focus);
  if (record == nullptr || record->design->kind != ControlKind::Button ||
      ::GetParent(focus) != Handle() || ::IsWindowEnabled(focus) == FALSE) {
    return 0;
  }
  return MAKELRESULT(kControlIdBase + static_cast<int>(record->design->id), DC_HASDEFID);
}

void FormWindow::OnNcDestroy() {
  timerEnabled_ = false;
  lastFocus_ = nullptr;
}

void FormWindow::ReportTimeEdit(ControlId control) {
  if (!building_) {
    ui_.UserEditedTime(control);
  }
}

}  // namespace nocturo::win32
