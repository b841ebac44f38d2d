#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "ui/design.hpp"

// How the designed controls behave, whichever backend draws them.
namespace nocturo {

// The option buttons that clear each other when one is selected: those of one
// array (the same name) in the same container, the given one included.
std::vector<ControlId> OptionGroup(ControlId option);

// A control is usable when it and every container around it are enabled: a
// disabled frame greys its contents without changing their own state, so
// enabling it again gives each back what the program set.
template <typename OwnEnabled>
bool EnabledWithContainers(ControlId control, OwnEnabled ownEnabled) {
  for (std::optional<ControlId> c = control; c; c = DesignOf(*c).parent) {
    if (!ownEnabled(*c)) {
      return false;
    }
  }
  return true;
}

// The text a control shows when its window is made: its caption, except the
// read-me, which shows the read-me text.
std::string_view InitialText(const ControlDesign& control);

// Where a control comes in its container's tab order: a container takes the
// place of the first of its contents, so that Tab reaches a frame's controls
// where their own positions say; images take no part (they sort last).
int TabKey(const ControlDesign& control);

// Visits a window's controls in the order they are made, which is also their
// tab order: a container's controls by TabKey, each container followed at
// once by its contents, so a parent is always made before what it holds.
// `filled` hears of each container once all its contents are made.
void VisitInCreationOrder(const WindowDesign& window,
                          const std::function<void(const ControlDesign&)>& made,
                          const std::function<void(const ControlDesign&)>& filled = {});

// The option of a group that Tab reaches: the selected one, else the first;
// the arrow keys move to the others.
ControlId OptionTabStop(ControlId option, const std::function<int(ControlId)>& valueOf);

// An auto-size label takes the size of its text, again after every change.
bool SizesToText(const ControlDesign& control);

// Whether a label breaks its text into lines, as Windows' static text does
// unless it sizes itself to one line.
bool LabelWraps(const ControlDesign& label);

// The colour a control's background is painted in: its own, else its kind's
// default (window colour for text boxes, button face for the rest); an image
// shows its container's background.
Colour BackColourOf(const ControlDesign& control);

// A check box's value after a click, as a BS_AUTOCHECKBOX toggles: a checked
// box clears, any other (grey included) becomes checked.
int CheckValueAfterClick(int value);

}  // namespace nocturo
