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

namespace {

void VisitContents(const WindowDesign& window, std::optional<ControlId> container,
                   const std::function<void(const ControlDesign&)>& made,
                   const std::function<void(const ControlDesign&)>& filled) {
  std::vector<const ControlDesign*> children;
  for (const ControlDesign& control : window.controls) {
    if (control.parent == container) {
      children.push_back(&control);
    }
  }
  std::ranges::stable_sort(children, {}, [](const ControlDesign* c) { return TabKey(*c); });
  for (const ControlDesign* child : children) {
    made(*child);
    if (child->kind == ControlKind::Panel || child->kind == ControlKind::Frame) {
      VisitContents(window, child->id, made, filled);
      if (filled) {
        filled(*child);
      }
    }
  }
}

}  // namespace

void VisitInCreationOrder(const WindowDesign& window,
                          const std::function<void(const ControlDesign&)>& made,
                          const std::function<void(const ControlDesign&)>& filled) {
  VisitContents(window, std::nullopt, made, filled);
}

ControlId OptionTabStop(ControlId option, const std::function<int(ControlId)>& valueOf) {
  const std::vector<ControlId> group = OptionGroup(option);
  const auto selected = std::ranges::find_if(group, [&](ControlId id) { return valueOf(id) != 0; });
  return selected != group.end() ? *selected : group.front();
}

bool SizesToText(const ControlDesign& control) {
  return control.kind == ControlKind::Label && control.autoSize;
}

bool LabelWraps(const ControlDesign& label) {
  return label.wordWrap || !label.autoSize || label.align != Align::Left;
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
