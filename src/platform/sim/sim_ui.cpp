#include "platform/sim/sim_ui.hpp"

#include <stdexcept>
#include <utility>

#include "ui/widget_rules.hpp"

namespace nocturo::sim {
namespace {

// The frame of a fixed tool window: a thin border and a narrow caption.
constexpr float kBorder = 45;
constexpr float kCaption = 255;

constexpr std::uint32_t kPrincipalHandle = 0x00010010;
constexpr std::uint32_t kAcercaDeHandle = 0x00010020;
constexpr std::uint32_t kPrincipalIcon = 0x00020030;

std::size_t Slot(WindowId window) {
  return window == WindowId::Principal ? 0 : 1;
}

bool IsOption(const ControlDesign& design) {
  return design.kind == ControlKind::OptionButton;
}

}  // namespace

SimUi::SimUi() {
  for (WindowId window : {WindowId::Principal, WindowId::AcercaDe}) {
    for (const ControlDesign& design : DesignOf(window).controls) {
      controls_.emplace(design.id, ControlState{.design = &design});
    }
  }
}

void SimUi::Note(std::string_view what, WindowId window) {
  if (journal_ != nullptr) {
    journal_->Add(std::string(what) + " " + std::string(DesignOf(window).name));
  }
}

bool SimUi::Exists(WindowId window) const {
  return State(window).exists;
}

const SimUi::WindowState& SimUi::State(WindowId window) const {
  return windows_[Slot(window)];
}

SimUi::WindowState& SimUi::Ensure(WindowId window) {
  // The real backend ignores such a call; no path of the program may make one.
  if (destroyed_[Slot(window)]) {
    throw std::logic_error("a call names " + std::string(DesignOf(window).name) +
                           ", which has been destroyed");
  }
  if (!windows_[Slot(window)].exists) {
    Create(window);
  }
  return windows_[Slot(window)];
}

void SimUi::Create(WindowId window) {
  const WindowDesign& design = DesignOf(window);
  WindowState& state = windows_[Slot(window)];
  state = WindowState{};
  state.exists = true;
  Note("Create", window);
  state.caption = std::string(design.caption);
  state.bounds.width = design.clientWidth + 2 * kBorder;
  state.bounds.height = design.clientHeight + 2 * kBorder + kCaption;
  state.bounds.left = (screen_.width - state.bounds.width) / 2;
  state.bounds.top = (screen_.height - state.bounds.height) / 2;
  for (const ControlDesign& control : design.controls) {
    ControlState& c = controls_[control.id];
    c = ControlState{.design = &control,
                     .text = std::string(InitialText(control)),
                     .enabled = control.enabled,
                     .value = control.value,
                     .foreColour = control.foreColour.value_or(kSysWindowText),
                     .bounds = {control.left, control.top, control.width, control.height}};
    if (control.kind == ControlKind::MaskedTimeBox) {
      c.masked.emplace();
      c.text = c.masked->Text();
    }
  }
  if (window == WindowId::Principal) {
    timerEnabled_ = false;
  }
  if (events_ != nullptr) {
    events_->OnLoad(window);
  }
}

void SimUi::Load(WindowId window) {
  Ensure(window);
}

void SimUi::Show(WindowId window) {
  WindowState& state = Ensure(window);
  Note("Show", window);
  const bool first = !state.visible;
  state.visible = true;
  for (WindowState& other : windows_) {
    other.active = false;
  }
  state.active = true;
  if (first && events_ != nullptr) {
    events_->OnResize(window);
  }
}

void SimUi::Hide(WindowId window) {
  WindowState& state = Ensure(window);
  Note("Hide", window);
  state.visible = false;
  state.active = false;
}

bool SimUi::IsVisible(WindowId window) const {
  return State(window).visible;
}

void SimUi::Repaint(WindowId window) {
  ++Ensure(window).repaints;
}

int SimUi::repaints(WindowId window) const {
  return State(window).repaints;
}

bool SimUi::activated(WindowId window) const {
  return State(window).active;
}

void SimUi::Destroy(WindowId window) {
  WindowState& state = windows_[Slot(window)];
  if (state.exists) {
    Note("Destroy", window);
  }
  if (state.exists && window == WindowId::Principal) {
    timerEnabled_ = false;
  }
  state = WindowState{};
  destroyed_[Slot(window)] = true;
}

void SimUi::SetCaption(WindowId window, std::string_view text) {
  Ensure(window).caption = std::string(text);
}

std::string SimUi::Caption(WindowId window) const {
  return State(window).caption;
}

TwipsRect SimUi::Bounds(WindowId window) const {
  return State(window).bounds;
}

void SimUi::Move(WindowId window, float left, float top) {
  WindowState& state = Ensure(window);
  if (!placesWindows_) {
    return;
  }
  state.bounds.left = left;
  state.bounds.top = top;
}

std::uint32_t SimUi::Handle(WindowId window) {
  Ensure(window);
  return window == WindowId::Principal ? kPrincipalHandle : kAcercaDeHandle;
}

std::uint32_t SimUi::Icon(WindowId window) {
  Ensure(window);
  return window == WindowId::Principal ? kPrincipalIcon : 0;
}

void SimUi::PopupMenu(WindowId window) {
  Ensure(window);
  ++menusOpened_;
  menuOpen_ = true;
  // Taken before it runs: a menu opened from inside it finds nothing to do,
  // so a missing guard shows as a second menu, not as endless recursion.
  const std::function<void()> action = std::exchange(whileMenuOpen_, nullptr);
  if (action) {
    action();
  }
  menuOpen_ = false;
  const int choice = menuChoice_;
  menuChoice_ = 0;
  if (choice != 0 && events_ != nullptr) {
    events_->OnMenuItem(choice);
  }
}

SimUi::ControlState& SimUi::Control(ControlId control) {
  Ensure(WindowOf(control));
  return controls_.at(control);
}

const SimUi::ControlState& SimUi::Control(ControlId control) const {
  return controls_.at(control);
}

std::string SimUi::Text(ControlId control) const {
  return Control(control).text;
}

void SimUi::RaiseChange(ControlId control) {
  if (events_ != nullptr) {
    events_->OnChange(control);
  }
}

void SimUi::SetText(ControlId control, std::string_view text) {
  ControlState& c = Control(control);
  if (c.masked) {
    // A write by the program: the time box does not report it as a change.
    c.masked->SetText(text);
    c.text = c.masked->Text();
    return;
  }
  c.text = std::string(text);
  if (c.design->kind == ControlKind::TextBox) {
    RaiseChange(control);
  }
}

bool SimUi::Enabled(ControlId control) const {
  return Control(control).enabled;
}

void SimUi::SetEnabled(ControlId control, bool enabled) {
  Control(control).enabled = enabled;
}

int SimUi::Value(ControlId control) const {
  return Control(control).value;
}

void SimUi::SelectOption(ControlId control) {
  for (ControlId member : OptionGroup(control)) {
    controls_.at(member).value = member == control ? 1 : 0;
  }
}

void SimUi::SetValue(ControlId control, int value) {
  ControlState& c = Control(control);
  if (IsOption(*c.design) && value != 0) {
    SelectOption(control);
  } else {
    c.value = value;
  }
}

Colour SimUi::ForeColour(ControlId control) const {
  return Control(control).foreColour;
}

void SimUi::SetForeColour(ControlId control, Colour colour) {
  Control(control).foreColour = colour;
}

TwipsRect SimUi::ControlBounds(ControlId control) const {
  return Control(control).bounds;
}

void SimUi::SetControlLeft(ControlId control, float left) {
  Control(control).bounds.left = left;
}

void SimUi::SetControlWidth(ControlId control, float width) {
  if (width < 0) {
    throw std::invalid_argument("a control cannot take a negative width");
  }
  Control(control).bounds.width = width;
}

float SimUi::ScaleWidth(ControlId container) const {
  return Control(container).bounds.width;
}

void SimUi::SetTimerEnabled(bool enabled) {
  if (enabled && !timerEnabled_) {
    ++timerGeneration_;  // a fresh interval starts
  }
  timerEnabled_ = enabled && State(WindowId::Principal).exists;
}

bool SimUi::Usable(ControlId control) const {
  const WindowId window = WindowOf(control);
  if (!State(window).exists || !State(window).visible) {
    return false;
  }
  return EnabledWithContainers(control, [this](ControlId c) { return Control(c).enabled; });
}

bool SimUi::Click(ControlId control) {
  if (!Usable(control)) {
    return false;
  }
  ControlState& c = Control(control);
  switch (c.design->kind) {
    case ControlKind::OptionButton:
      SelectOption(control);
      break;
    case ControlKind::CheckBox:
      c.value = CheckValueAfterClick(c.value);
      break;
    default:
      break;
  }
  if (events_ != nullptr) {
    events_->OnClick(control);
  }
  return true;
}

bool SimUi::Type(ControlId control, std::string_view keys) {
  if (!Usable(control)) {
    return false;
  }
  ControlState& c = Control(control);
  if (c.design->readOnly) {
    return false;
  }
  for (char key : keys) {
    bool changed = false;
    if (c.masked) {
      changed = key == '\b' ? c.masked->Backspace() : c.masked->Type(key);
      c.text = c.masked->Text();
    } else if (key == '\b') {
      if (!c.text.empty()) {
        c.text.pop_back();
        changed = true;
      }
    } else if (c.design->maxLength == 0 ||
               c.text.size() < static_cast<std::size_t>(c.design->maxLength)) {
      c.text.push_back(key);
      changed = true;
    }
    if (changed) {
      RaiseChange(control);
    }
  }
  return true;
}

bool SimUi::ReplaceText(ControlId control, std::string_view text) {
  if (!Usable(control)) {
    return false;
  }
  ControlState& c = Control(control);
  if (c.masked) {
    c.masked->SetSelection(0, MaskedTime::kLength);
    if (c.masked->ClearSelection()) {
      c.text = c.masked->Text();
      RaiseChange(control);
    }
    c.masked->Home();
    return Type(control, text);
  }
  if (!c.text.empty()) {
    c.text.clear();
    RaiseChange(control);
  }
  return Type(control, text);
}

bool SimUi::PasteInto(ControlId control, std::string_view text) {
  if (!Usable(control)) {
    return false;
  }
  ControlState& c = Control(control);
  if (!c.masked) {
    return Type(control, text);
  }
  if (c.masked->Paste(text)) {
    c.text = c.masked->Text();
    RaiseChange(control);
  }
  return true;
}

bool SimUi::MaskedTimeText(ControlId control, std::string& out) const {
  const ControlState& c = Control(control);
  if (!c.masked) {
    return false;
  }
  out = c.masked->Text();
  return true;
}

void SimUi::PressCloseBox(WindowId window) {
  if (State(window).visible && events_ != nullptr) {
    events_->OnCloseBox(window);
  }
}

void SimUi::PostTrayNotification(int mouseMessage) {
  if (events_ != nullptr && State(WindowId::AcercaDe).exists) {
    events_->OnMouseMove(WindowId::AcercaDe,
                         static_cast<float>(mouseMessage) * screen_.twipsPerPixelX, 0, false);
  }
}

void SimUi::MovePointerOverAbout(float xTwips, float yTwips) {
  if (events_ != nullptr && State(WindowId::AcercaDe).visible) {
    events_->OnMouseMove(WindowId::AcercaDe, xTwips, yTwips, true);
  }
}

void SimUi::TimerTick() {
  if (timerEnabled_ && events_ != nullptr) {
    events_->OnTimer();
  }
}

void SimUi::BroadcastTaskbarCreated() {
  if (events_ != nullptr) {
    events_->OnTaskbarCreated();
  }
}

}  // namespace nocturo::sim
