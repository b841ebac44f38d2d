#include "platform/sim/sim_ui.hpp"

#include <stdexcept>
#include <utility>

namespace nocturo::sim {
namespace {

// The frame of a fixed tool window: a thin border and a narrow caption.
constexpr float kBorder = 45;
constexpr float kCaption = 255;

constexpr std::uint32_t kPrincipalHandle = 0x00010010;
constexpr std::uint32_t kAcercaDeHandle = 0x00010020;
constexpr std::uint32_t kPrincipalIcon = 0x00020030;

}  // namespace

ControlMetrics::Extent ExactMetrics::TextExtent(const ControlDesign& label,
                                                std::string_view /*text*/, float width) const {
  return {width, label.height};
}

SimUi::Window::Window(SimUi& owner, WindowId window)
    : ui(owner), id(window), model(DesignOf(window), owner.metrics_) {}

void SimUi::Note(std::string_view what, WindowId window) {
  if (journal_ != nullptr) {
    journal_->Add(std::string(what) + " " + std::string(DesignOf(window).name));
  }
}

SimUi::Window& SimUi::Ensure(WindowId window) {
  // The real backends ignore such a call; no path of the program may make one.
  if (windows_.Destroyed(window)) {
    throw std::logic_error("a call names " + std::string(DesignOf(window).name) +
                           ", which has been destroyed");
  }
  return *windows_.Live(window, [&] { return std::make_unique<Window>(*this, window); });
}

FormModel* SimUi::LiveModel(WindowId window) {
  return &Ensure(window).model;
}

// A destroyed window's controls still say what they last showed, so a test
// can read what the user saw at the end.
FormModel* SimUi::ExistingModel(WindowId window) const {
  Window* made = windows_.Made(window);
  return made != nullptr ? &made->model : nullptr;
}

void SimUi::Created(Window& window) {
  const WindowDesign& design = DesignOf(window.id);
  Note("Create", window.id);
  window.caption = std::string(design.caption);
  window.bounds.width = design.clientWidth + 2 * kBorder;
  window.bounds.height = design.clientHeight + 2 * kBorder + kCaption;
  window.bounds.left = (screen_.width - window.bounds.width) / 2;
  window.bounds.top = (screen_.height - window.bounds.height) / 2;
  if (window.id == WindowId::Principal) {
    timerEnabled_ = false;
  }
  if (uiEvents() != nullptr) {
    uiEvents()->OnLoad(window.id);
  }
}

bool SimUi::Exists(WindowId window) const {
  return Existing(window) != nullptr;
}

void SimUi::Load(WindowId window) {
  Ensure(window);
}

void SimUi::Show(WindowId window) {
  Window& shown = Ensure(window);
  Note("Show", window);
  const bool first = !shown.visible;
  shown.visible = true;
  windows_.ForEach([](Window& other) { other.active = false; });
  shown.active = true;
  if (first && uiEvents() != nullptr) {
    uiEvents()->OnResize(window);
  }
}

void SimUi::Hide(WindowId window) {
  Window& hidden = Ensure(window);
  Note("Hide", window);
  hidden.visible = false;
  hidden.active = false;
}

bool SimUi::IsVisible(WindowId window) const {
  const Window* existing = Existing(window);
  return existing != nullptr && existing->visible;
}

void SimUi::Repaint(WindowId window) {
  ++Ensure(window).repaints;
}

int SimUi::repaints(WindowId window) const {
  const Window* existing = Existing(window);
  return existing != nullptr ? existing->repaints : 0;
}

bool SimUi::activated(WindowId window) const {
  const Window* existing = Existing(window);
  return existing != nullptr && existing->active;
}

void SimUi::Destroy(WindowId window) {
  if (Existing(window) != nullptr) {
    Note("Destroy", window);
    if (window == WindowId::Principal) {
      timerEnabled_ = false;
    }
  }
  windows_.Destroy(window);
}

void SimUi::SetCaption(WindowId window, std::string_view text) {
  Ensure(window).caption = std::string(text);
}

std::string SimUi::Caption(WindowId window) const {
  const Window* existing = Existing(window);
  return existing != nullptr ? existing->caption : std::string();
}

TwipsRect SimUi::Bounds(WindowId window) const {
  const Window* existing = Existing(window);
  return existing != nullptr ? existing->bounds : TwipsRect{};
}

void SimUi::Move(WindowId window, float left, float top) {
  Window& moved = Ensure(window);
  if (!placesWindows_) {
    return;
  }
  moved.bounds.left = left;
  moved.bounds.top = top;
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
  if (choice != 0 && uiEvents() != nullptr) {
    uiEvents()->OnMenuItem(choice);
  }
}

void SimUi::SetTimerEnabled(bool enabled) {
  if (enabled && !timerEnabled_) {
    ++timerGeneration_;  // a fresh interval starts
  }
  timerEnabled_ = enabled && Existing(WindowId::Principal) != nullptr;
}

}  // namespace nocturo::sim
