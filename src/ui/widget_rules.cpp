#include "ui/widget_rules.hpp"

#include <algorithm>
#include <climits>

namespace nocturo {

std::vector<ControlId> OptionGroup(ControlId option) {
  const ControlDesign& member = DesignOf(option);
  std::vector<ControlId> group;
  for (const ControlDesign& other : DesignOf(WindowOf(option)).controls) {
    if (other.kind == ControlKind::OptionButton && other.name == member.name &&
        other.parent == member.parent) {
      group.push_back(other.id);
    }
  }
  return group;
}

std::string_view InitialText(const ControlDesign& control) {
  return control.id == ControlId::leeme ? LeemeText() : control.caption;
}

int TabKey(const ControlDesign& control) {
  if (control.kind == ControlKind::Image) {
    return INT_MAX;
  }
  int key = control.tabIndex;
  for (const ControlDesign& child : DesignOf(WindowOf(control.id)).controls) {
    if (child.parent == control.id) {
      key = std::min(key, TabKey(child));
    }
  }
  return key;
}

Colour BackColourOf(const ControlDesign& control) {
  if (control.kind == ControlKind::Image && control.parent) {
    return BackColourOf(DesignOf(*control.parent));
  }
  if (control.backColour) {
    return *control.backColour;
  }
  return control.kind == ControlKind::TextBox || control.kind == ControlKind::MaskedTimeBox
             ? kSysWindow
             : kSysButtonFace;
}

int CheckValueAfterClick(int value) {
  return value == 1 ? 0 : 1;
}

}  // namespace nocturo
