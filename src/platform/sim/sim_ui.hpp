#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/sim/journal.hpp"
#include "platform/ui.hpp"
#include "platform/ui_events.hpp"
#include "ui/form_model.hpp"
#include "ui/model_ui.hpp"
#include "ui/window_registry.hpp"

namespace nocturo::sim {

// A screen that keeps twips as given and measures no text: labels keep the
// size they have.
class ExactMetrics final : public ControlMetrics {
 public:
  float SnapX(float twips) const override { return twips; }
  float SnapY(float twips) const override { return twips; }
  Extent TextExtent(const ControlDesign& label, std::string_view text, float width) const override;
};

// A window system in memory: the windows' models with no widgets at all.
// Tests read every property and act as the user would: clicks, typing, the
// close box, tray notifications (sim_user.cpp). A call that names a destroyed
// window throws std::logic_error, so a test sees the program's mistake.
class SimUi final : public ModelUi {
 public:
  SimUi() = default;

  void SetEvents(UiEvents& events) { SetUiEvents(&events); }
  void SetJournal(Journal& journal) { journal_ = &journal; }

  // --- Ui: the windows ---
  bool Exists(WindowId window) const override;
  void Load(WindowId window) override;
  void Show(WindowId window) override;
  void Hide(WindowId window) override;
  bool IsVisible(WindowId window) const override;
  void Repaint(WindowId window) override;
  void Destroy(WindowId window) override;
  void SetCaption(WindowId window, std::string_view text) override;
  std::string Caption(WindowId window) const override;
  TwipsRect Bounds(WindowId window) const override;
  void Move(WindowId window, float left, float top) override;
  bool PlacesWindows() const override { return placesWindows_; }
  std::uint32_t Handle(WindowId window) override;
  std::uint32_t Icon(WindowId window) override;
  void PopupMenu(WindowId window) override;
  bool TimerEnabled() const override { return timerEnabled_; }
  void SetTimerEnabled(bool enabled) override;
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

 protected:
  FormModel* LiveModel(WindowId window) override;
  FormModel* ExistingModel(WindowId window) const override;
  // Nothing to mirror: the model is all there is.
  void Mirror(ControlId /*control*/, ControlAspect /*aspect*/) override {}

 private:
  struct Window {
    Window(SimUi& owner, WindowId window);
    void Create() { ui.Created(*this); }
    bool Alive() const { return true; }
    void Destroy() {}

    SimUi& ui;
    WindowId id;
    FormModel model;
    bool visible = false;
    bool active = false;
    std::string caption;
    TwipsRect bounds;
    int repaints = 0;
  };

  Window& Ensure(WindowId window);
  Window* Existing(WindowId window) const { return windows_.Existing(window); }
  void Created(Window& window);
  void Note(std::string_view what, WindowId window);
  // The model of a control's window, for the user's input; nullptr when the
  // window does not exist.
  FormModel* ModelOf(ControlId control) const { return ExistingModel(WindowOf(control)); }

  Journal* journal_ = nullptr;
  ExactMetrics metrics_;
  ScreenMetrics screen_{.width = 1024 * 15.0F, .height = 768 * 15.0F};
  bool placesWindows_ = true;
  WindowRegistry<Window> windows_;
  bool timerEnabled_ = false;
  int timerGeneration_ = 0;
  int menuChoice_ = 0;
  int menusOpened_ = 0;
  bool menuOpen_ = false;
  std::function<void()> whileMenuOpen_;
};

}  // namespace nocturo::sim
