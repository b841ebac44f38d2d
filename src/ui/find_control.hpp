#pragma once

#include <algorithm>
#include <memory>

#include "ui/design.hpp"

namespace nocturo {

namespace find_control_detail {

template <class Entry>
Entry* Address(Entry& entry) {
  return &entry;
}

template <class Entry>
Entry* Address(std::unique_ptr<Entry>& entry) {
  return entry.get();
}

template <class Entry>
Entry* Address(const std::unique_ptr<Entry>& entry) {
  return entry.get();
}

}  // namespace find_control_detail

// A control's entry in a window's list of them, each entry (held itself or
// through a unique_ptr) knowing its `design`; nullptr when the list has none.
template <class Entries>
auto* FindControl(Entries& entries, ControlId id) {
  using find_control_detail::Address;
  const auto found = std::ranges::find_if(
      entries, [id](const auto& entry) { return Address(entry)->design->id == id; });
  return found != std::ranges::end(entries) ? Address(*found) : nullptr;
}

}  // namespace nocturo
