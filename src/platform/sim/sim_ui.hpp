#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/masked_time.hpp"
#include "platform/sim/journal.hpp"
#include "platform/ui.hpp"
#include "platform/ui_events.hpp"
#include "ui/design.hpp"

namespace nocturo::sim {

// A window system in memory, built from the same design tables as the real
// one. Tests read every property and act as the user would: clicks, typing,
// the close box, tray notifications. A call that names a destroyed window
// throws std::logic_error, so a test sees the program's mistake.
class SimUi final : public Ui {
 public:
  SimUi();

  void SetEvents(UiEvents& events) { events_ = &events; }
  void SetJournal(Journal& journal) { journal_ = &journal; }

  // --- Ui ---
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
  std::string Text(ControlId control) const override;
  void SetText(ControlId control, std::string_view text) override;
  bool Enabled(ControlId control) const override;
  void SetEnabled(ControlId control, bool enabled) override;
  int Value(ControlId control) const override;
  void SetValue(ControlId control, int value) override;
  Colour ForeColour(ControlId control) const override;
  void SetForeColour(ControlId control, Colour colour) override;
  TwipsRect ControlBounds(ControlId control) const override;
  void SetControlLeft(ControlId control, float left) override;
  void SetControlWidth(ControlId control, float width) override;
  float ScaleWidth(ControlId container) const override;
  bool TimerEnabled() const override { return timerEnabled_; }
  void SetTimerEnabled(bool enabled) override;
  ScreenMetrics Screen() const override { return screen_; }

  // --- what a user and a test do ---
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
  bool MaskedTimeText(ControlId control, std::string& out) const;

 private:
  struct ControlState {
    const ControlDesign* design = nullptr;
    std::string text;
    bool enabled = true;
    int value = 0;
    Colour foreColour = kSysWindowText;
    TwipsRect bounds;
    std::optional<MaskedTime> masked;
  };
  struct WindowState {
    bool exists = false;
    bool visible = false;
    bool active = false;
    std::string caption;
    TwipsRect bounds;
    int repaints = 0;
  };

  WindowState& Ensure(WindowId window);
  const WindowState& State(WindowId window) const;
  ControlState& Control(ControlId control);
  const ControlState& Control(ControlId control) const;
  void Create(WindowId window);
  void SelectOption(ControlId control);
  void RaiseChange(ControlId control);

  void Note(std::string_view what, WindowId window);

  UiEvents* events_ = nullptr;
  Journal* journal_ = nullptr;
  ScreenMetrics screen_{.width = 1024 * 15.0F, .height = 768 * 15.0F};
  bool placesWindows_ = true;
  std::array<WindowState, 2> windows_{};
  std::array<bool, 2> destroyed_{};
  std::map<ControlId, ControlState> controls_;
  bool timerEnabled_ = false;
  int timerGeneration_ = 0;
  int menuChoice_ = 0;
  int menusOpened_ = 0;
  bool menuOpen_ = false;
  std::function<void()> whileMenuOpen_;
};

}  // namespace nocturo::sim
