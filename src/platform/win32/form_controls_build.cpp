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

DWORD AlignStyle(Align align, DWORD left, DWORD centre, DWORD right) {
  switch (align) {
    case Align::Centre:
      return centre;
    case Align::Right:
      return right;
    case Align::Left:
      break;
  }
  return left;
}

bool StartsGroup(const ControlDesign& control, const ControlDesign* previous) {
  return !(control.kind == ControlKind::OptionButton && previous != nullptr &&
           previous->kind == ControlKind::OptionButton && previous->name == control.name);
}

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

HWND CreateChild(DWORD exStyle, const wchar_t* windowClass, DWORD style, const ChildPlace& place) {
  const RECT& bounds = place.bounds;
  return ::CreateWindowExW(exStyle, windowClass, place.caption.c_str(), style, bounds.left,
                           bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                           place.parent, DialogId(place.dialogId), ProgramInstance(), nullptr);
}

HWND CreateContainer(ControlRecord& record, const ChildPlace& place) {
  record.containerWindow = std::make_unique<ContainerWindow>(
      record.design->kind == ControlKind::Panel ? ContainerKind::Panel : ContainerKind::Frame,
      record.backBrush);
  return record.containerWindow->Create(place.parent, place.bounds, place.dialogId);
}

HWND CreateImage(ControlRecord& record, const ChildPlace& place) {
  record.image = std::make_unique<ImageWindow>(NOCTURO_IDI_LOGO, record.backBrush);
  return record.image->Create(place.parent, place.bounds, place.dialogId);
}

HWND CreateLabel(const ControlDesign& design, const ChildPlace& place) {
  const DWORD style = LabelWraps(design) ? AlignStyle(design.align, SS_LEFT, SS_CENTER, SS_RIGHT)
                                         : SS_LEFTNOWORDWRAP;
  return CreateChild(0, L"STATIC", kChild | style, place);
}

HWND CreateButton(const ChildPlace& place) {
  return CreateChild(0, L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, place);
}

HWND CreateTextBox(ControlRecord& record, const ChildPlace& place) {
  const ControlDesign& design = *record.design;
  DWORD style = kChild | WS_TABSTOP | AlignStyle(design.align, ES_LEFT, ES_CENTER, ES_RIGHT);
  style |= design.multiLine ? ES_MULTILINE | ES_AUTOVSCROLL : ES_AUTOHSCROLL;
  if (design.verticalScroll) {
    style |= WS_VSCROLL;
  }
  if (design.readOnly) {
    style |= ES_READONLY;
  }
  const HWND edit = CreateChild(WS_EX_CLIENTEDGE, L"EDIT", style, place);
  if (design.maxLength > 0) {
    ::SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(design.maxLength), 0);
  }
  if (design.multiLine && design.readOnly) {
    record.subclass = std::make_unique<ReadmeEdit>();
    record.subclass->Attach(edit);
  }
  return edit;
}

HWND CreateOption(const ChildPlace& place, bool selected, bool tabStop) {
  const HWND option =
      CreateChild(0, L"BUTTON", kChild | BS_RADIOBUTTON | (tabStop ? WS_TABSTOP : 0), place);
  ::SendMessageW(option, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
  return option;
}

HWND CreateCheckBox(const ChildPlace& place, int value) {
  const HWND check = CreateChild(0, L"BUTTON", kChild | WS_TABSTOP | BS_3STATE, place);
  ::SendMessageW(check, BM_SETCHECK, static_cast<WPARAM>(value), 0);
  return check;
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
  VisitInCreationOrder(
      model_.design(), [&](const ControlDesign& control) { Make(control, form, fonts); },
      [this](const ControlDesign& container) {
        if (container.kind == ControlKind::Frame) {
          CreateGroupBox(*Find(container.id));
        }
      });
  for (const auto& record : records_) {
    if (!model_.Usable(record->design->id)) {
      ApplyEnabled(*record);
    }
  }
  built_ = true;
}

void FormControls::Make(const ControlDesign& control, HWND form, FontCache& fonts) {
  ControlRecord* container = control.parent ? Find(*control.parent) : nullptr;
  const auto sibling = std::find_if(records_.rbegin(), records_.rend(),
                                    [&](const auto& r) { return r->container == container; });
  const ControlDesign* previous = sibling != records_.rend() ? (*sibling)->design : nullptr;

  ControlRecord& record = *records_.emplace_back(std::make_unique<ControlRecord>());
  record.design = &control;
  record.container = container;
  record.backColour = BackColourOf(control);
  record.backBrush = BrushFor(record.backColour, record.ownedBrush);
  record.font = control.font ? fonts.Get(*control.font) : options_.windowFont;

  CreateWindowFor(record, container != nullptr ? container->window : form);
  // Arrow keys move within a group: each option-button array is one.
  if (StartsGroup(control, previous)) {
    ::SetWindowLongPtrW(record.window, GWL_STYLE,
                        ::GetWindowLongPtrW(record.window, GWL_STYLE) | WS_GROUP);
  }
}

void FormControls::CreateWindowFor(ControlRecord& record, HWND parentWindow) {
  const ControlDesign& design = *record.design;
  const std::string text = model_.Text(design.id);
  // A text other than the caption (the read-me's lines, or one the program
  // wrote) is given after the font, so it is laid out once, in that font.
  const bool late = text != design.caption;
  const ChildPlace place{.parent = parentWindow,
                         .bounds = PixelBounds(record),
                         .dialogId = kControlIdBase + static_cast<int>(design.id),
                         .caption = late ? std::wstring() : Widen(text)};
  record.window = CreateOfKind(record, place);
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

HWND FormControls::CreateOfKind(ControlRecord& record, const ChildPlace& place) {
  const ControlId id = record.design->id;
  switch (record.design->kind) {
    case ControlKind::Panel:
    case ControlKind::Frame:
      return CreateContainer(record, place);
    case ControlKind::Image:
      return CreateImage(record, place);
    case ControlKind::Label:
      return CreateLabel(*record.design, place);
    case ControlKind::Button:
      return CreateButton(place);
    case ControlKind::TextBox:
      return CreateTextBox(record, place);
    case ControlKind::MaskedTimeBox:
      return CreateTimeBox(record, place);
    case ControlKind::OptionButton:
      return CreateOption(place, model_.Value(id) != 0,
                          OptionTabStop(id, [this](ControlId c) { return model_.Value(c); }) == id);
    case ControlKind::CheckBox:
      return CreateCheckBox(place, model_.Value(id));
  }
  return nullptr;
}

HWND FormControls::CreateTimeBox(ControlRecord& record, const ChildPlace& place) {
  const HWND edit =
      CreateChild(WS_EX_CLIENTEDGE, L"EDIT", kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL,
                  {.parent = place.parent, .bounds = place.bounds, .dialogId = place.dialogId});
  const ControlId id = record.design->id;
  auto masked = std::make_unique<MaskedTimeEdit>(*model_.Time(id), [this, id] {
    if (options_.onMaskedEdit) {
      options_.onMaskedEdit(id);
    }
  });
  record.masked = masked.get();
  record.subclass = std::move(masked);
  record.subclass->Attach(edit);
  record.masked->ShowModel();
  return edit;
}

void FormControls::CreateGroupBox(ControlRecord& frame) {
  RECT client{};
  ::GetClientRect(frame.window, &client);
  // Created after the frame's contents, so it lies beneath them.
  frame.groupBox = CreateChild(0, L"BUTTON", kChild | BS_GROUPBOX,
                               {.parent = frame.window,
                                .bounds = client,
                                .dialogId = kGroupBoxId,
                                .caption = Widen(model_.Text(frame.design->id))});
  ::SetWindowPos(frame.groupBox, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  ::SendMessageW(frame.groupBox, WM_SETFONT, reinterpret_cast<WPARAM>(frame.font), FALSE);
}

}  // namespace nocturo::win32
