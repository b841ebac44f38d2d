#include "ui/form_model.hpp"

#include <algorithm>
#include <stdexcept>

#include "ui/find_control.hpp"
#include "ui/widget_rules.hpp"

namespace nocturo {
namespace {

bool HasNoText(const ControlDesign& design) {
  return design.kind == ControlKind::Panel || design.kind == ControlKind::Image;
}

// A multi-line box ends every line with CR LF, however the text ended them.
std::string WithWindowsLineEnds(std::string_view text) {
  std::string lines;
  lines.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines += "\r\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
        ++i;
      }
    } else {
      lines += c;
    }
  }
  return lines;
}

int ValueOfKind(const ControlDesign& design, int value) {
  switch (design.kind) {
    case ControlKind::OptionButton:
      return value != 0 ? 1 : 0;
    case ControlKind::CheckBox:
      return std::clamp(value, 0, 2);
    default:
      return 0;
  }
}

}  // namespace

FormModel::FormModel(const WindowDesign& design, const ControlMetrics& metrics)
    : design_(design), metrics_(metrics) {
  controls_.reserve(design.controls.size());
  for (const ControlDesign& control : design.controls) {
    ControlState& state = controls_.emplace_back();
    state.design = &control;
    state.enabled = control.enabled;
    state.value = ValueOfKind(control, control.value);
    state.foreColour = control.foreColour.value_or(kSysWindowText);
    state.bounds = {metrics.SnapX(control.left), metrics.SnapY(control.top),
                    metrics.SnapX(control.width), metrics.SnapY(control.height)};
    if (control.kind == ControlKind::MaskedTimeBox) {
      state.time.emplace();
    } else if (!HasNoText(control)) {
      const std::string_view text = InitialText(control);
      state.text = control.multiLine ? WithWindowsLineEnds(text) : std::string(text);
    }
    state.sizePending = SizesToText(control);
  }
}

namespace {

template <class Controls>
auto& AtIn(Controls& controls, ControlId id) {
  auto* control = FindControl(controls, id);
  if (control == nullptr) {
    throw std::out_of_range("no such control in this window");
  }
  return *control;
}

}  // namespace

ControlState* FormModel::Find(ControlId id) {
  return FindControl(controls_, id);
}

const ControlState* FormModel::Find(ControlId id) const {
  return FindControl(controls_, id);
}

ControlState& FormModel::At(ControlId id) {
  return AtIn(controls_, id);
}

const ControlState& FormModel::At(ControlId id) const {
  return AtIn(controls_, id);
}

std::string FormModel::Text(ControlId id) const {
  const ControlState& control = At(id);
  return control.time ? control.time->Text() : control.text;
}

bool FormModel::SetText(ControlId id, std::string_view text) {
  ControlState& control = At(id);
  const ControlDesign& designed = *control.design;
  if (control.time) {
    control.time->SetText(text);
    return false;
  }
  if (HasNoText(designed)) {
    return false;
  }
  control.text = designed.multiLine ? WithWindowsLineEnds(text) : std::string(text);
  if (SizesToText(designed)) {
    control.sizePending = true;
  }
  return designed.kind == ControlKind::TextBox;
}

bool FormModel::Enabled(ControlId id) const {
  return At(id).enabled;
}

void FormModel::SetEnabled(ControlId id, bool enabled) {
  At(id).enabled = enabled;
}

bool FormModel::Usable(ControlId id) const {
  return EnabledWithContainers(id, [this](ControlId c) { return At(c).enabled; });
}

int FormModel::Value(ControlId id) const {
  return At(id).value;
}

std::vector<ControlId> FormModel::SetValue(ControlId id, int value) {
  ControlState& control = At(id);
  if (control.design->kind == ControlKind::OptionButton && value != 0) {
    std::vector<ControlId> group = OptionGroup(id);
    for (ControlId member : group) {
      At(member).value = member == id ? 1 : 0;
    }
    return group;
  }
  control.value = ValueOfKind(*control.design, value);
  return {id};
}

std::vector<ControlId> FormModel::Click(ControlId id) {
  ControlState& control = At(id);
  switch (control.design->kind) {
    case ControlKind::OptionButton:
      return SetValue(id, 1);
    case ControlKind::CheckBox:
      control.value = CheckValueAfterClick(control.value);
      return {id};
    default:
      return {};
  }
}

Colour FormModel::ForeColour(ControlId id) const {
  return At(id).foreColour;
}

void FormModel::SetForeColour(ControlId id, Colour colour) {
  At(id).foreColour = colour;
}

TwipsRect FormModel::SettledBounds(const ControlState& control) const {
  TwipsRect bounds = control.bounds;
  if (control.sizePending) {
    const ControlMetrics::Extent extent =
        metrics_.TextExtent(*control.design, control.text, bounds.width);
    bounds.width = extent.width;
    bounds.height = extent.height;
  }
  return bounds;
}

void FormModel::SettleSize(ControlState& control) {
  control.bounds = SettledBounds(control);
  control.sizePending = false;
}

void FormModel::SettleSizes() {
  for (ControlState& control : controls_) {
    if (control.sizePending) {
      SettleSize(control);
    }
  }
}

TwipsRect FormModel::Bounds(ControlId id) const {
  return SettledBounds(At(id));
}

void FormModel::SetLeft(ControlId id, float left) {
  At(id).bounds.left = metrics_.SnapX(left);
}

void FormModel::SetWidth(ControlId id, float width) {
  ControlState& control = At(id);
  if (control.sizePending) {
    SettleSize(control);  // a label has its text's size until given a width
  }
  control.bounds.width = std::max(metrics_.SnapX(width), 0.0F);
}

float FormModel::ScaleWidth(ControlId id) const {
  return SettledBounds(At(id)).width;
}

void FormModel::Typed(ControlId id, std::string_view text) {
  ControlState& control = At(id);
  control.text = control.design->multiLine ? WithWindowsLineEnds(text) : std::string(text);
}

MaskedTime* FormModel::Time(ControlId id) {
  std::optional<MaskedTime>* time = &At(id).time;
  return time->has_value() ? &time->value() : nullptr;
}

}  // namespace nocturo
