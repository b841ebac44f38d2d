#include "ui/widget_rules.hpp"

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

int CheckValueAfterClick(int value) {
  return value == 1 ? 0 : 1;
}

}  // namespace nocturo
