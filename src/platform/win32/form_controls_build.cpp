// Building a window's controls from its design table.
#include <algorithm>
#include <string>

#include "platform/win32/colours.hpp"
#include "platform/win32/form_controls.hpp"
#include "platform/win32/readme_edit.hpp"
#include "platform/win32/resource_ids.h"
#include "platform/win32/wide_text.hpp"
#include "platform/win32/window_proc.hpp"
#include "ui/widget_rules.hpp"

namespace nocturo::win32 {
namespace {

constexpr int kGroupBoxId = 0xFFFF;  // not a control of the program

HMENU DialogId(int id) {
  return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
}

DWORD LabelStyle(const ControlDesign& design) {
  switch (design.align) {
    case Align::Centre:
      return SS_CENTER;
    case Align::Right:
      return SS_RIGHT;
    case Align::Left:
      break;
  }
  return design.autoSize && !design.wordWrap ? SS_LEFTNOWORDWRAP : SS_LEFT;
}

DWORD EditAlignStyle(Align align) {
  switch (align) {
    case Align::Centre:
      return ES_CENTER;
    case Align::Right:
      return ES_RIGHT;
    case Align::Left:
      break;
  }
  return ES_LEFT;
}

bool StartsGroup(const ControlDesign& control, const ControlDesign* previous) {
  return !(control.kind == ControlKind::OptionButton && previous != nullptr &&
           previous->kind == ControlKind::OptionButton && previous->name == control.name);
}

HWND CreateChild(DWORD exStyle, const wchar_t* windowClass, const std::wstring& text, DWORD style,
                 const RECT& bounds, HWND parent, int id) {
  return ::CreateWindowExW(exStyle, windowClass, text.c_str(), style, bounds.left, bounds.top,
                           bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                           DialogId(id), ProgramInstance(), nullptr);
}

// The edit's default margins depend on the font and leave too little room for
// a time in the designed width.
void NarrowMargins(HWND edit) {
  ::SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
}

// The time box shows its editing model, a frame its group box's text.
bool ShowsTextItself(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:
    case ControlKind::Button:
    case ControlKind::TextBox:
    case ControlKind::OptionButton:
    case ControlKind::CheckBox:
      return true;
    default:
      return false;
  }
}

}  // namespace

void FormControls::Build(HWND form, FontCache& fonts, Options options) {
  options_ = std::move(options);
  model_.SettleSizes();
  BuildChildren(form, std::nullopt, nullptr, model_.design().controls, fonts);
  for (const auto& record : records_) {
    if (!model_.Usable(record->design->id)) {
      ApplyEnabled(*record);
    }
  }
  built_ = true;
}

void FormControls::BuildChildren(HWND parentWindow, std::optional<ControlId> parent,
                                 const ControlRecord* container,
                                 std::span<const ControlDesign> designs, FontCache& fonts) {
  std::vector<const ControlDesign*> children;
  for (const ControlDesign& control : designs) {
    if (control.parent == parent) {
      children.push_back(&control);
    }
  }
  std::stable_sort(
      children.begin(), children.end(),
      [](const ControlDesign* a, const ControlDesign* b) { return TabKey(*a) < TabKey(*b); });

  const ControlDesign* previous = nullptr;
  for (const ControlDesign* control : children) {
    auto owned = std::make_unique<ControlRecord>();
    ControlRecord& record = *owned;
    records_.push_back(std::move(owned));
    record.design = control;
    record.container = container;
    record.backColour = BackColourOf(*control);
    record.backBrush = BrushFor(record.backColour, record.ownedBrush);
    record.font = control->font ? fonts.Get(*control->font) : options_.windowFont;

    CreateWindowFor(record, parentWindow);
    // Arrow keys move within a group: each option-button array is one.
    if (StartsGroup(*control, previous)) {
      ::SetWindowLongPtrW(record.window, GWL_STYLE,
                          ::GetWindowLongPtrW(record.window, GWL_STYLE) | WS_GROUP);
    }
    if (control->kind == ControlKind::Panel || control->kind == ControlKind::Frame) {
      BuildChildren(record.window, control->id, &record, designs, fonts);
    }
    if (control->kind == ControlKind::Frame) {
      CreateGroupBox(record);
    }
    previous = control;
  }
}

void FormControls::CreateWindowFor(ControlRecord& record, HWND parentWindow) {
  const ControlDesign& design = *record.design;
  const RECT bounds = PixelBounds(record);
  const int id = kControlIdBase + static_cast<int>(design.id);
  const std::string text = model_.Text(design.id);
  // A text other than the caption (the read-me's lines, or one the program
  // wrote) is given after the font, so it is laid out once, in that font.
  const bool late = text != design.caption;
  const std::wstring caption = late ? std::wstring() : Widen(text);
  const int value = model_.Value(design.id);
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

  switch (design.kind) {
    case ControlKind::Panel:
    case ControlKind::Frame:
      record.containerWindow = std::make_unique<ContainerWindow>(
          design.kind == ControlKind::Panel ? ContainerKind::Panel : ContainerKind::Frame,
          record.backBrush);
      record.window = record.containerWindow->Create(parentWindow, bounds, id);
      break;
    case ControlKind::Image:
      record.image = std::make_unique<ImageWindow>(NOCTURO_IDI_LOGO, record.backBrush);
      record.window = record.image->Create(parentWindow, bounds, id);
      break;
    case ControlKind::Label:
      record.window =
          CreateChild(0, L"STATIC", caption, kChild | LabelStyle(design), bounds, parentWindow, id);
      break;
    case ControlKind::Button:
      record.window = CreateChild(0, L"BUTTON", caption, kChild | WS_TABSTOP | BS_PUSHBUTTON,
                                  bounds, parentWindow, id);
      break;
    case ControlKind::TextBox: {
      DWORD style = kChild | WS_TABSTOP | EditAlignStyle(design.align);
      style |= design.multiLine ? ES_MULTILINE | ES_AUTOVSCROLL : ES_AUTOHSCROLL;
      if (design.verticalScroll) {
        style |= WS_VSCROLL;
      }
      if (design.readOnly) {
        style |= ES_READONLY;
      }
      record.window =
          CreateChild(WS_EX_CLIENTEDGE, L"EDIT", caption, style, bounds, parentWindow, id);
      if (design.maxLength > 0) {
        ::SendMessageW(record.window, EM_LIMITTEXT, static_cast<WPARAM>(design.maxLength), 0);
      }
      if (design.multiLine && design.readOnly) {
        record.subclass = std::make_unique<ReadmeEdit>();
        record.subclass->Attach(record.window);
      }
      break;
    }
    case ControlKind::MaskedTimeBox: {
      record.window =
          CreateChild(WS_EX_CLIENTEDGE, L"EDIT", L"",
                      kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, bounds, parentWindow, id);
      const ControlId controlId = design.id;
      auto masked = std::make_unique<MaskedTimeEdit>(*model_.Time(controlId), [this, controlId] {
        if (options_.onMaskedEdit) {
          options_.onMaskedEdit(controlId);
        }
      });
      record.masked = masked.get();
      record.subclass = std::move(masked);
      record.subclass->Attach(record.window);
      record.masked->ShowModel();
      break;
    }
    case ControlKind::OptionButton:
      record.window = CreateChild(0, L"BUTTON", caption,
                                  kChild | BS_RADIOBUTTON | (value != 0 ? WS_TABSTOP : 0), bounds,
                                  parentWindow, id);
      ::SendMessageW(record.window, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case ControlKind::CheckBox:
      record.window = CreateChild(0, L"BUTTON", caption, kChild | WS_TABSTOP | BS_3STATE, bounds,
                                  parentWindow, id);
      ::SendMessageW(record.window, BM_SETCHECK, static_cast<WPARAM>(value), 0);
      break;
  }
  // New children go to the bottom of their siblings, so creation order is tab
  // order; said explicitly rather than relied on.
  ::SetWindowPos(record.window, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  ::SendMessageW(record.window, WM_SETFONT, reinterpret_cast<WPARAM>(record.font), FALSE);
  // After the font, which sets the margins again.
  if (design.kind == ControlKind::MaskedTimeBox ||
      (design.kind == ControlKind::TextBox && !design.multiLine)) {
    NarrowMargins(record.window);
  }
  if (late && ShowsTextItself(design.kind)) {
    ::SetWindowTextW(record.window, Widen(text).c_str());
  }
}

void FormControls::CreateGroupBox(ControlRecord& frame) {
  RECT client{};
  ::GetClientRect(frame.window, &client);
  // Created after the frame's contents, so it lies beneath them.
  frame.groupBox = CreateChild(0, L"BUTTON", Widen(model_.Text(frame.design->id)),
                               WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_GROUPBOX, client,
                               frame.window, kGroupBoxId);
  ::SetWindowPos(frame.groupBox, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  ::SendMessageW(frame.groupBox, WM_SETFONT, reinterpret_cast<WPARAM>(frame.font), FALSE);
}

}  // namespace nocturo::win32
