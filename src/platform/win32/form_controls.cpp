// The Ui operations on a window's controls.
#include "platform/win32/form_controls.hpp"

#include <algorithm>

#include "platform/win32/wide_text.hpp"
#include "platform/win32/window_text.hpp"
#include "ui/widget_rules.hpp"

namespace nocturo::win32 {
namespace {

bool IsOption(const ControlRecord& record) {
  return record.design->kind == ControlKind::OptionButton;
}

bool Checked(const ControlRecord& record) {
  return ::SendMessageW(record.window, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetTabStop(HWND window, bool tabStop) {
  const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
  ::SetWindowLongPtrW(window, GWL_STYLE, tabStop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

// A control's rectangle in its parent's client coordinates, in pixels.
RECT RectInParent(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace

ControlRecord* FormControls::Find(ControlId id) {
  for (const auto& record : records_) {
    if (record->design->id == id) {
      return record.get();
    }
  }
  return nullptr;
}

const ControlRecord* FormControls::Find(ControlId id) const {
  return const_cast<FormControls*>(this)->Find(id);
}

ControlRecord* FormControls::FindByWindow(HWND window) {
  for (const auto& record : records_) {
    if (record->window == window || (record->groupBox != nullptr && record->groupBox == window)) {
      return record.get();
    }
  }
  return nullptr;
}

const ControlRecord* FormControls::FindByWindow(HWND window) const {
  return const_cast<FormControls*>(this)->FindByWindow(window);
}

HWND FormControls::FirstFocusable() const {
  for (const auto& record : records_) {
    const HWND window = record->window;
    if ((::GetWindowLongPtrW(window, GWL_STYLE) & WS_TABSTOP) != 0 &&
        ::IsWindowVisible(window) != FALSE && ::IsWindowEnabled(window) != FALSE) {
      return window;
    }
  }
  return nullptr;
}

std::string FormControls::Text(const ControlRecord& record) const {
  switch (record.design->kind) {
    case ControlKind::MaskedTimeBox:
      return record.masked->Text();
    case ControlKind::Frame:
      return Narrow(ReadWindowText(record.groupBox));
    case ControlKind::Panel:
    case ControlKind::Image:
      return {};
    default:
      return Narrow(ReadWindowText(record.window));
  }
}

void FormControls::SetText(ControlRecord& record, std::string_view text) {
  switch (record.design->kind) {
    case ControlKind::MaskedTimeBox:
      record.masked->SetText(text);
      return;
    case ControlKind::Frame:
      ::SetWindowTextW(record.groupBox, Widen(text).c_str());
      return;
    case ControlKind::Panel:
    case ControlKind::Image:
      return;
    default:
      // An edit reports EN_CHANGE for this, as for typing.
      ::SetWindowTextW(record.window, Widen(text).c_str());
      if (record.design->kind == ControlKind::Label && record.design->autoSize) {
        AutoSize(record);
      }
      return;
  }
}

void FormControls::SetEnabled(ControlRecord& record, bool enabled) {
  record.ownEnabled = enabled;
  ApplyEnabled(record);
  // Keyboard focus must not stay on a control that can no longer take it.
  const HWND focus = ::GetFocus();
  const HWND root = ::GetAncestor(record.window, GA_ROOT);
  if (!enabled && focus != nullptr && ::GetActiveWindow() == root &&
      (focus == record.window || ::IsChild(record.window, focus) != FALSE)) {
    const HWND next = ::GetNextDlgTabItem(root, focus, FALSE);
    if (next != nullptr && next != focus) {
      ::SetFocus(next);
    }
  }
}

void FormControls::ApplyEnabled(ControlRecord& record) {
  const BOOL usable = Usable(record) ? TRUE : FALSE;
  ::EnableWindow(record.window, usable);
  if (record.groupBox != nullptr) {
    ::EnableWindow(record.groupBox, usable);
  }
  for (const auto& child : records_) {
    if (child->container == &record) {
      ApplyEnabled(*child);
    }
  }
}

bool FormControls::Usable(const ControlRecord& record) const {
  return EnabledWithContainers(record.design->id,
                               [this](ControlId id) { return Find(id)->ownEnabled; });
}

int FormControls::Value(const ControlRecord& record) const {
  switch (record.design->kind) {
    case ControlKind::OptionButton:
      return Checked(record) ? 1 : 0;
    case ControlKind::CheckBox:
      return static_cast<int>(::SendMessageW(record.window, BM_GETCHECK, 0, 0));
    default:
      return 0;
  }
}

void FormControls::SetValue(ControlRecord& record, int value) {
  if (IsOption(record)) {
    if (value != 0) {
      SelectOption(record);
    } else {
      ::SendMessageW(record.window, BM_SETCHECK, BST_UNCHECKED, 0);
      UpdateTabStops(record);
    }
  } else if (record.design->kind == ControlKind::CheckBox) {
    ::SendMessageW(record.window, BM_SETCHECK, static_cast<WPARAM>(std::clamp(value, 0, 2)), 0);
  }
}

void FormControls::SelectOption(ControlRecord& record) {
  for (ControlRecord* member : OptionGroupOf(record)) {
    ::SendMessageW(member->window, BM_SETCHECK, member == &record ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  UpdateTabStops(record);
}

void FormControls::ClickCheck(ControlRecord& record) {
  ::SendMessageW(record.window, BM_SETCHECK,
                 static_cast<WPARAM>(CheckValueAfterClick(Value(record))), 0);
}

std::vector<ControlRecord*> FormControls::OptionGroupOf(const ControlRecord& record) {
  std::vector<ControlRecord*> group;
  for (ControlId id : OptionGroup(record.design->id)) {
    group.push_back(Find(id));
  }
  return group;
}

// Tab reaches an option-button array at its selected button (or its first
// when none is selected); the arrow keys move within it.
void FormControls::UpdateTabStops(const ControlRecord& member) {
  const std::vector<ControlRecord*> group = OptionGroupOf(member);
  if (group.empty()) {
    return;
  }
  const auto selected =
      std::find_if(group.begin(), group.end(), [](const ControlRecord* r) { return Checked(*r); });
  const ControlRecord* stop = selected != group.end() ? *selected : group.front();
  for (const ControlRecord* r : group) {
    SetTabStop(r->window, r == stop);
  }
}

void FormControls::SetForeColour(ControlRecord& record, Colour colour) {
  record.foreColour = colour;
  ::InvalidateRect(record.window, nullptr, TRUE);
}

TwipsRect FormControls::Bounds(const ControlRecord& record) const {
  const RECT rect = RectInParent(record.window);
  const PixelScale& scale = options_.scale;
  return TwipsRect{scale.ToTwipsX(rect.left), scale.ToTwipsY(rect.top),
                   scale.ToTwipsX(rect.right - rect.left), scale.ToTwipsY(rect.bottom - rect.top)};
}

void FormControls::SetLeft(ControlRecord& record, float left) {
  const RECT rect = RectInParent(record.window);
  ::SetWindowPos(record.window, nullptr, options_.scale.ToPixelsX(left), rect.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormControls::SetWidth(ControlRecord& record, float width) {
  const RECT rect = RectInParent(record.window);
  // A control cannot be narrower than nothing.
  const int pixels = std::max(options_.scale.ToPixelsX(width), 0);
  ::SetWindowPos(record.window, nullptr, 0, 0, pixels, rect.bottom - rect.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

float FormControls::ScaleWidth(const ControlRecord& record) const {
  RECT client{};
  ::GetClientRect(record.window, &client);
  return options_.scale.ToTwipsX(client.right);
}

}  // namespace nocturo::win32
