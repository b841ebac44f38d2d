// Keeping a window's controls in step with its model.
#include "platform/win32/form_controls.hpp"

#include <algorithm>

#include "platform/win32/wide_text.hpp"
#include "ui/find_control.hpp"
#include "ui/widget_rules.hpp"

namespace nocturo::win32 {
namespace {

void SetTabStop(HWND window, bool tabStop) {
  const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
  ::SetWindowLongPtrW(window, GWL_STYLE, tabStop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

}  // namespace

ControlRecord* FormControls::Find(ControlId id) {
  return FindControl(records_, id);
}

const ControlRecord* FormControls::Find(ControlId id) const {
  return FindControl(records_, id);
}

const ControlRecord* FormControls::FindByWindow(HWND window) const {
  const auto found = std::ranges::find_if(records_, [window](const auto& record) {
    return record->window == window || (record->groupBox != nullptr && record->groupBox == window);
  });
  return found != records_.end() ? found->get() : nullptr;
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

void FormControls::Mirror(ControlId id, ControlAspect aspect) {
  ControlRecord* found = Find(id);
  if (found == nullptr) {
    return;
  }
  ControlRecord& record = *found;
  mirroring_ = true;
  switch (aspect) {
    case ControlAspect::Text:
      ShowText(record);
      break;
    case ControlAspect::Enabled:
      ShowEnabled(record);
      break;
    case ControlAspect::Value:
      ShowValue(record);
      break;
    case ControlAspect::ForeColour:
      // The colour is asked for when the control paints.
      ::InvalidateRect(record.window, nullptr, TRUE);
      break;
    case ControlAspect::Bounds:
      ShowBounds(record);
      break;
  }
  mirroring_ = false;
}

void FormControls::ShowText(ControlRecord& record) {
  const ControlDesign& design = *record.design;
  switch (design.kind) {
    case ControlKind::MaskedTimeBox:
      record.masked->ShowModel();
      return;
    case ControlKind::Frame:
      ::SetWindowTextW(record.groupBox, Widen(model_.Text(design.id)).c_str());
      return;
    case ControlKind::Panel:
    case ControlKind::Image:
      return;
    default:
      ::SetWindowTextW(record.window, Widen(model_.Text(design.id)).c_str());
      return;
  }
}

void FormControls::ShowEnabled(ControlRecord& record) {
  ApplyEnabled(record);
  // Keyboard focus must not stay on a control that can no longer take it.
  const HWND focus = ::GetFocus();
  const HWND root = ::GetAncestor(record.window, GA_ROOT);
  if (!model_.Enabled(record.design->id) && focus != nullptr && ::GetActiveWindow() == root &&
      (focus == record.window || ::IsChild(record.window, focus) != FALSE)) {
    const HWND next = ::GetNextDlgTabItem(root, focus, FALSE);
    if (next != nullptr && next != focus) {
      ::SetFocus(next);
    }
  }
}

void FormControls::ApplyEnabled(ControlRecord& record) {
  const BOOL usable = model_.Usable(record.design->id) ? TRUE : FALSE;
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

void FormControls::ShowValue(ControlRecord& record) {
  const ControlKind kind = record.design->kind;
  if (kind != ControlKind::OptionButton && kind != ControlKind::CheckBox) {
    return;
  }
  ::SendMessageW(record.window, BM_SETCHECK, static_cast<WPARAM>(model_.Value(record.design->id)),
                 0);
  if (kind == ControlKind::OptionButton) {
    UpdateTabStops(record);
  }
}

// Tab reaches an option-button array at one button; the arrow keys move
// within it.
void FormControls::UpdateTabStops(const ControlRecord& member) {
  const ControlId stop =
      OptionTabStop(member.design->id, [this](ControlId id) { return model_.Value(id); });
  for (const ControlId id : OptionGroup(member.design->id)) {
    if (const ControlRecord* option = Find(id); option != nullptr) {
      SetTabStop(option->window, id == stop);
    }
  }
}

void FormControls::ShowBounds(ControlRecord& record) {
  const RECT bounds = PixelBounds(record);
  ::SetWindowPos(record.window, nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
  if (SizesToText(*record.design)) {
    // A new text was drawn into the old size, and a resize repaints only the
    // part it uncovers: draw the whole label again.
    ::InvalidateRect(record.window, nullptr, TRUE);
  }
}

RECT FormControls::PixelBounds(const ControlRecord& record) const {
  const TwipsRect bounds = model_.Bounds(record.design->id);
  const PixelScale& scale = options_.scale;
  const int left = scale.ToPixelsX(bounds.left);
  const int top = scale.ToPixelsY(bounds.top);
  return RECT{left, top, left + scale.ToPixelsX(bounds.width),
              top + scale.ToPixelsY(bounds.height)};
}

}  // namespace nocturo::win32
