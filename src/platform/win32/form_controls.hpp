#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ui.hpp"
#include "platform/win32/container_window.hpp"
#include "platform/win32/font_cache.hpp"
#include "platform/win32/handles.hpp"
#include "platform/win32/image_window.hpp"
#include "platform/win32/masked_time_edit.hpp"
#include "platform/win32/pixel_scale.hpp"
#include "ui/design.hpp"

namespace nocturo::win32 {

// One control of a window as built: its design, its system window and what
// the program has set on it.
struct ControlRecord {
  const ControlDesign* design = nullptr;
  const ControlRecord* container = nullptr;  // nothing: on the window itself
  HWND window = nullptr;                     // destroyed with the top-level window
  HWND groupBox = nullptr;                   // frames: the box drawing the border and caption
  std::unique_ptr<ContainerWindow> containerWindow;
  std::unique_ptr<ImageWindow> image;
  std::unique_ptr<SubclassedControl> subclass;
  MaskedTimeEdit* masked = nullptr;  // the subclass, for the time box
  Colour backColour = kSysButtonFace;
  Colour foreColour = kSysWindowText;
  HBRUSH backBrush = nullptr;
  UniqueBrush ownedBrush;
  HFONT font = nullptr;
  bool ownEnabled = true;  // as the program set it; a disabled frame also greys it
};

// The controls of one top-level window, built from its design table, and the
// Ui operations on them. Geometry in twips, converted at the screen's scale.
class FormControls {
 public:
  struct Options {
    PixelScale scale;
    HFONT windowFont = nullptr;
    // Called when the user edits the time box.
    std::function<void(ControlId)> onMaskedEdit;
  };

  FormControls() = default;
  FormControls(const FormControls&) = delete;
  FormControls& operator=(const FormControls&) = delete;

  // Creates every control of the design in tab order, containers first.
  void Build(HWND form, const WindowDesign& design, FontCache& fonts, Options options);

  ControlRecord* Find(ControlId id);
  const ControlRecord* Find(ControlId id) const;
  // The record of a control's window (a frame's group box counts as the frame).
  ControlRecord* FindByWindow(HWND window);
  const ControlRecord* FindByWindow(HWND window) const;
  // The first control in tab order that can take the focus now.
  HWND FirstFocusable() const;

  std::string Text(const ControlRecord& record) const;
  void SetText(ControlRecord& record, std::string_view text);
  void SetEnabled(ControlRecord& record, bool enabled);
  int Value(const ControlRecord& record) const;
  void SetValue(ControlRecord& record, int value);
  void SetForeColour(ControlRecord& record, Colour colour);
  TwipsRect Bounds(const ControlRecord& record) const;
  void SetLeft(ControlRecord& record, float left);
  void SetWidth(ControlRecord& record, float width);
  float ScaleWidth(const ControlRecord& record) const;
  // A click on an option button: it becomes the group's selected one.
  void SelectOption(ControlRecord& record);
  // A click on the check box.
  void ClickCheck(ControlRecord& record);

 private:
  void BuildChildren(HWND parentWindow, std::optional<ControlId> parent,
                     const ControlRecord* container, std::span<const ControlDesign> designs,
                     FontCache& fonts);
  void CreateWindowFor(ControlRecord& record, HWND parentWindow);
  void CreateGroupBox(ControlRecord& frame);
  void AutoSize(ControlRecord& record);
  void ApplyEnabled(ControlRecord& record);
  bool Usable(const ControlRecord& record) const;
  std::vector<ControlRecord*> OptionGroupOf(const ControlRecord& record);
  void UpdateTabStops(const ControlRecord& member);
  RECT PixelBounds(const ControlRecord& record) const;

  Options options_;
  // In creation order, which is the tab order; pointers stay valid.
  std::vector<std::unique_ptr<ControlRecord>> records_;
};

}  // namespace nocturo::win32
