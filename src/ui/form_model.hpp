#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/masked_time.hpp"
#include "common/pixel_scale.hpp"
#include "platform/ui.hpp"
#include "ui/design.hpp"

namespace nocturo {

// What only a backend can say about a control: how the screen rounds a place
// or size, and how big a text is drawn.
class ControlMetrics {
 public:
  ControlMetrics() = default;
  ControlMetrics(const ControlMetrics&) = delete;
  ControlMetrics& operator=(const ControlMetrics&) = delete;
  virtual ~ControlMetrics() = default;

  // A place or size in twips as the screen keeps it (whole pixels).
  virtual float SnapX(float twips) const = 0;
  virtual float SnapY(float twips) const = 0;
  // The size an auto-size label takes for its text; a label that wraps keeps
  // the given width and grows in height.
  struct Extent {
    float width = 0;
    float height = 0;
  };
  virtual Extent TextExtent(const ControlDesign& label, std::string_view text,
                            float width) const = 0;
};

// A screen of whole pixels at the given scale; how text is measured is the
// toolkit's.
class PixelMetrics : public ControlMetrics {
 public:
  explicit PixelMetrics(const PixelScale& scale) : scale_(scale) {}

  float SnapX(float twips) const final { return scale_.ToTwipsX(scale_.ToPixelsX(twips)); }
  float SnapY(float twips) const final { return scale_.ToTwipsY(scale_.ToPixelsY(twips)); }
  const PixelScale& scale() const { return scale_; }

 private:
  PixelScale scale_;
};

// What the program has set on one control, as the control gives it back.
struct ControlState {
  const ControlDesign* design = nullptr;
  std::string text;     // multi-line boxes: lines ended by CR LF
  bool enabled = true;  // its own; a disabled container also makes it unusable
  int value = 0;        // option buttons 0/1, check boxes 0/1/2
  Colour foreColour = kSysWindowText;
  TwipsRect bounds;                // relative to its container's client area
  bool sizePending = false;        // an auto-size label still to take its text's size
  std::optional<MaskedTime> time;  // the time box's editing model
};

// The controls of one window: everything the program sets on them and reads
// back, with the widget rules applied once, whether or not a backend has made
// real controls for them. A backend that has shows these values and reports
// the user's typing and clicks back here.
class FormModel {
 public:
  FormModel(const WindowDesign& design, const ControlMetrics& metrics);
  FormModel(const FormModel&) = delete;
  FormModel& operator=(const FormModel&) = delete;
  ~FormModel() = default;

  const WindowDesign& design() const { return design_; }
  // In the design's order; nullptr for a control of another window.
  ControlState* Find(ControlId id);
  const ControlState* Find(ControlId id) const;
  const std::vector<ControlState>& controls() const { return controls_; }

  std::string Text(ControlId id) const;
  // A write by the program. True when it is reported as a change: a text box
  // reports every write, even of the text it holds; the time box reports only
  // the user's edits.
  bool SetText(ControlId id, std::string_view text);
  bool Enabled(ControlId id) const;
  void SetEnabled(ControlId id, bool enabled);
  // The control and every container around it are enabled.
  bool Usable(ControlId id) const;
  int Value(ControlId id) const;
  // Selecting an option clears the others of its group; a check box keeps
  // 0, 1 or 2. Returns the controls whose value may have changed.
  std::vector<ControlId> SetValue(ControlId id, int value);
  Colour ForeColour(ControlId id) const;
  void SetForeColour(ControlId id, Colour colour);
  TwipsRect Bounds(ControlId id) const;
  void SetLeft(ControlId id, float left);
  // A control cannot be narrower than nothing.
  void SetWidth(ControlId id, float width);
  // The inside of a container: none in the designs has a border.
  float ScaleWidth(ControlId id) const;

  // --- the user ---
  // A click on a button: an option becomes its group's selected one, a check
  // box toggles. Returns the controls whose value may have changed.
  std::vector<ControlId> Click(ControlId id);
  // Text the user typed into a text box, as the box holds it now.
  void Typed(ControlId id, std::string_view text);
  // The time box's editing model, for the user's keys; nullptr for others.
  MaskedTime* Time(ControlId id);

  // Gives a label waiting for its text's size that size now, when a backend
  // makes its widget.
  void SettleSizes();

 private:
  ControlState& At(ControlId id);
  const ControlState& At(ControlId id) const;
  void SettleSize(ControlState& control);
  TwipsRect SettledBounds(const ControlState& control) const;

  const WindowDesign& design_;
  const ControlMetrics& metrics_;
  std::vector<ControlState> controls_;
};

}  // namespace nocturo
