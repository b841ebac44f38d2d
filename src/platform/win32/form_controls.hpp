#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui.hpp"
#include "platform/win32/container_window.hpp"
#include "platform/win32/font_cache.hpp"
#include "platform/win32/handles.hpp"
#include "platform/win32/image_window.hpp"
#include "platform/win32/masked_time_edit.hpp"
#include "platform/win32/pixel_scale.hpp"
#include "ui/design.hpp"
#include "ui/form_model.hpp"
#include "ui/model_ui.hpp"

namespace nocturo::win32 {

// One control of a window as made: what its system window needs. What the
// program set on it lives in the window's model.
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
  HBRUSH backBrush = nullptr;
  UniqueBrush ownedBrush;
  HFONT font = nullptr;
};

// Where a control's system window is made.
struct ChildPlace {
  HWND parent = nullptr;
  RECT bounds{};
  int dialogId = 0;
  std::wstring caption;  // empty when the text is given once the font is set
};

// The real controls of one top-level window, made from its model when the
// window is first shown and then kept showing what the model holds.
// Geometry in twips, converted at the screen's scale.
class FormControls {
 public:
  struct Options {
    PixelScale scale;
    HFONT windowFont = nullptr;
    // Called when the user edits the time box.
    std::function<void(ControlId)> onMaskedEdit;
  };

  explicit FormControls(FormModel& model) : model_(model) {}
  FormControls(const FormControls&) = delete;
  FormControls& operator=(const FormControls&) = delete;

  bool Built() const { return built_; }
  // Creates every control in tab order, containers first, as the model has
  // it now.
  void Build(HWND form, FontCache& fonts, Options options);

  ControlRecord* Find(ControlId id);
  const ControlRecord* Find(ControlId id) const;
  // The record of a control's window (a frame's group box counts as the frame).
  const ControlRecord* FindByWindow(HWND window) const;
  // The first control in tab order that can take the focus now.
  HWND FirstFocusable() const;

  // Makes the control, once made, show the model's state of that aspect.
  void Mirror(ControlId id, ControlAspect aspect);
  // The controls' notifications now follow the program's write, not the user.
  bool Mirroring() const { return mirroring_; }

 private:
  void Make(const ControlDesign& control, HWND form, FontCache& fonts);
  void CreateWindowFor(ControlRecord& record, HWND parentWindow);
  HWND CreateOfKind(ControlRecord& record, const ChildPlace& place);
  HWND CreateTimeBox(ControlRecord& record, const ChildPlace& place);
  void CreateGroupBox(ControlRecord& frame);
  void ShowText(ControlRecord& record);
  void ShowEnabled(ControlRecord& record);
  void ApplyEnabled(ControlRecord& record);
  void ShowValue(ControlRecord& record);
  void ShowBounds(ControlRecord& record);
  void UpdateTabStops(const ControlRecord& member);
  RECT PixelBounds(const ControlRecord& record) const;

  FormModel& model_;
  Options options_;
  bool built_ = false;
  bool mirroring_ = false;
  // In creation order, which is the tab order; pointers stay valid.
  std::vector<std::unique_ptr<ControlRecord>> records_;
};

}  // namespace nocturo::win32
