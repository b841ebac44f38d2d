#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/sim/journal.hpp"
#include "platform/ui.hpp"
#include "platform/ui_events.hpp"
#include "ui/form_model.hpp"
#include "ui/model_ui.hpp"
#include "ui/window_ui.hpp"

namespace nocturo::sim {

// A screen that keeps twips as given and measures no text: labels keep the
// size they have.
class ExactMetrics final : public ControlMetrics {
 public:
  float SnapX(float twips) const override { return twips; }
  float SnapY(float twips) const override { return twips; }
  Extent TextExtent(const ControlDesign& label, std::string_view text, float width) const override;
};

class SimUi;

// A simulated window: its model, and what the real ones would show of it.
class SimWindow {
 public:
  // No widgets: the model is all there is, so there is nothing to mirror.
  struct NoControls {
    void Mirror(ControlId /*control*/, ControlAspect /*aspect*/) {}
  };

  SimWindow(SimUi& ui, WindowId id, const ControlMetrics& metrics);

  void Create();
  bool Alive() const { return true; }
  void Destroy();
  FormModel& Model() { return model_; }
  NoControls& Controls() { return controls_; }

  void Show();
  void Hide();
  bool IsVisible() const { return visible_; }
  void Repaint() { ++repaints_; }
  void SetCaption(std::string_view text) { caption_ = std::string(text); }
  std::string Caption() const { return caption_; }
  TwipsRect Bounds() const { return bounds_; }
  void Move(float left, float top);
  void PopupMenu();
  bool TimerEnabled() const { return timerEnabled_; }
  void SetTimerEnabled(bool enabled);

  int repaints() const { return repaints_; }
  bool active() const { return active_; }
  void Deactivate() { active_ = false; }

 private:
  SimUi& ui_;
  WindowId id_;
  FormModel model_;
  NoControls controls_;
  bool visible_ = false;
  bool active_ = false;
  std::string caption_;
  TwipsRect bounds_;
  int repaints_ = 0;
  bool timerEnabled_ = false;
};

// A window system in memory: the windows' models with no widgets at all.
// Tests read every property and act as the user would: clicks, typing, the
// close box, tray notifications (sim_user.cpp). A call that names a destroyed
// window throws std::logic_error, so a test sees the program's mistake. Like
// the real ones, a destroyed window's controls read blank; what they showed
// last is kept apart (ShownText).
class SimUi final : public WindowUi<SimWindow> {
 public:
  SimUi() = default;

  void SetJournal(Journal& journal) { journal_ = &journal; }

  // --- Ui: what is the simulation's own ---
  bool PlacesWindows() const override { return placesWindows_; }
  std::uint32_t Handle(WindowId window) override;
  std::uint32_t Icon(WindowId window) override;
  ScreenMetrics Screen() const override { return screen_; }

  // --- what a user and a test do (sim_user.cpp) ---
  // A click where the user can click: nothing happens on a control that is
  // disabled, inside a disabled container or in a hidden window.
  bool Click(ControlId control);
  // Can the user reach the control at all?
  bool Usable(ControlId control) const;
  // Typing into a text box (respecting its length limit) or the time box
  // (through its mask), one character at a time; '\b' is backspace.
  bool Type(ControlId control, std::string_view keys);
  // Replaces a text box's text as the user would by selecting all and typing.
  bool ReplaceText(ControlId control, std::string_view text);
  bool PasteInto(ControlId control, std::string_view text);
  void PressCloseBox(WindowId window);
  // The shell's notification for the tray icon: a mouse move at x pixels.
  void PostTrayNotification(int mouseMessage);
  // Real pointer movement over the About window's client area.
  void MovePointerOverAbout(float xTwips, float yTwips);
  void BroadcastTaskbarCreated();
  // The timer's interval has passed.
  void TimerTick();
  void SetScreen(const ScreenMetrics& screen) { screen_ = screen; }
  // A window system that places windows itself, as a Wayland compositor does:
  // moves are ignored, and windows stay where they were made.
  void SetPlacesWindows(bool places) { placesWindows_ = places; }

  // The popup menu: which item the user picks next (0: none), and what
  // happens while the next one is open (nested notifications, for example).
  void SetMenuChoice(int index) { menuChoice_ = index; }
  void SetWhileMenuOpen(std::function<void()> action) { whileMenuOpen_ = std::move(action); }
  int menusOpened() const { return menusOpened_; }
  bool menuOpen() const { return menuOpen_; }
  int repaints(WindowId window) const;
  bool activated(WindowId window) const;
  int timerGeneration() const { return timerGeneration_; }
  // The text a control shows now or, once its window is destroyed, showed
  // last: what the user saw at the end.
  std::string ShownText(ControlId control) const;

 protected:
  FormPtr Make(WindowId window) override;
  void NamedDestroyed(WindowId window) const override;

 private:
  friend class SimWindow;

  void Note(std::string_view what, WindowId window);
  // The model of a control's window, for the user's input; nullptr when the
  // window does not exist.
  FormModel* ModelOf(ControlId control) const;

  Journal* journal_ = nullptr;
  ExactMetrics metrics_;
  ScreenMetrics screen_{.width = 1024 * 15.0F, .height = 768 * 15.0F};
  bool placesWindows_ = true;
  // The controls' texts of each destroyed window as it left them.
  std::array<std::vector<std::pair<ControlId, std::string>>, 2> lastTexts_;
  int timerGeneration_ = 0;
  int menuChoice_ = 0;
  int menusOpened_ = 0;
  bool menuOpen_ = false;
  std::function<void()> whileMenuOpen_;
};

}  // namespace nocturo::sim
