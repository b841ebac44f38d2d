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

SimWindow::SimWindow(SimUi& ui, WindowId id, const ControlMetrics& metrics)
    : ui_(ui), id_(id), model_(DesignOf(id), metrics) {}

void SimWindow::Create() {
  const WindowDesign& design = DesignOf(id_);
  ui_.Note("Create", id_);
  caption_ = std::string(design.caption);
  bounds_.width = design.clientWidth + 2 * kBorder;
  bounds_.height = design.clientHeight + 2 * kBorder + kCaption;
  bounds_.left = (ui_.screen_.width - bounds_.width) / 2;
  bounds_.top = (ui_.screen_.height - bounds_.height) / 2;
  if (ui_.uiEvents() != nullptr) {
    ui_.uiEvents()->OnLoad(id_);
  }
}

void SimWindow::Destroy() {
  ui_.Note("Destroy", id_);
  timerEnabled_ = false;
  auto& texts = ui_.lastTexts_.at(static_cast<std::size_t>(id_));
  for (const ControlState& control : model_.controls()) {
    texts.emplace_back(control.design->id, model_.Text(control.design->id));
  }
}

void SimWindow::Show() {
  ui_.Note("Show", id_);
  const bool first = !visible_;
  visible_ = true;
  ui_.ForEachForm([](SimWindow& other) { other.Deactivate(); });
  active_ = true;
  if (first && ui_.uiEvents() != nullptr) {
    ui_.uiEvents()->OnResize(id_);
  }
}

void SimWindow::Hide() {
  ui_.Note("Hide", id_);
  visible_ = false;
  active_ = false;
}

void SimWindow::Move(float left, float top) {
  if (!ui_.placesWindows_) {
    return;
  }
  bounds_.left = left;
  bounds_.top = top;
}

void SimWindow::PopupMenu() {
  ++ui_.menusOpened_;
  ui_.menuOpen_ = true;
  // Taken before it runs: a menu opened from inside it finds nothing to do,
  // so a missing guard shows as a second menu, not as endless recursion.
  const std::function<void()> action = std::exchange(ui_.whileMenuOpen_, nullptr);
  if (action) {
    action();
  }
  ui_.menuOpen_ = false;
  const int choice = std::exchange(ui_.menuChoice_, 0);
  if (choice != 0 && ui_.uiEvents() != nullptr) {
    ui_.uiEvents()->OnMenuItem(choice);
  }
}

void SimWindow::SetTimerEnabled(bool enabled) {
  if (enabled && !timerEnabled_) {
    ++ui_.timerGeneration_;  // a fresh interval starts
  }
  timerEnabled_ = enabled;
}

void SimUi::Note(std::string_view what, WindowId window) {
  if (journal_ != nullptr) {
    journal_->Add(std::string(what) + " " + std::string(DesignOf(window).name));
  }
}

SimUi::FormPtr SimUi::Make(WindowId window) {
  return std::make_unique<SimWindow>(*this, window, metrics_);
}

// The real backends ignore such a call; no path of the program may make one.
void SimUi::NamedDestroyed(WindowId window) const {
  throw std::logic_error("a call names " + std::string(DesignOf(window).name) +
                         ", which has been destroyed");
}

FormModel* SimUi::ModelOf(ControlId control) const {
  SimWindow* window = Existing(WindowOf(control));
  return window != nullptr ? &window->Model() : nullptr;
}

std::string SimUi::ShownText(ControlId control) const {
  if (const FormModel* model = ModelOf(control); model != nullptr) {
    return model->Text(control);
  }
  for (const auto& [id, text] : lastTexts_.at(static_cast<std::size_t>(WindowOf(control)))) {
    if (id == control) {
      return text;
    }
  }
  return {};
}

int SimUi::repaints(WindowId window) const {
  const SimWindow* existing = Existing(window);
  return existing != nullptr ? existing->repaints() : 0;
}

bool SimUi::activated(WindowId window) const {
  const SimWindow* existing = Existing(window);
  return existing != nullptr && existing->active();
}

std::uint32_t SimUi::Handle(WindowId window) {
  Live(window);
  return window == WindowId::Principal ? kPrincipalHandle : kAcercaDeHandle;
}

std::uint32_t SimUi::Icon(WindowId window) {
  Live(window);
  return window == WindowId::Principal ? kPrincipalIcon : 0;
}

}  // namespace nocturo::sim
