#include <cstdlib>

#include "ui/design.hpp"

namespace nocturo {

const WindowDesign& DesignOf(WindowId window) {
  return window == WindowId::Principal ? FrPrincipalDesign() : FrAcercaDeDesign();
}

namespace {

const ControlDesign* Find(const WindowDesign& design, ControlId control) {
  for (const ControlDesign& candidate : design.controls) {
    if (candidate.id == control) {
      return &candidate;
    }
  }
  return nullptr;
}

}  // namespace

const ControlDesign& DesignOf(ControlId control) {
  if (const ControlDesign* found = Find(FrPrincipalDesign(), control)) {
    return *found;
  }
  if (const ControlDesign* found = Find(FrAcercaDeDesign(), control)) {
    return *found;
  }
  std::abort();  // every ControlId has a design; reaching here is a programming error
}

WindowId WindowOf(ControlId control) {
  return Find(FrPrincipalDesign(), control) != nullptr ? WindowId::Principal : WindowId::AcercaDe;
}

}  // namespace nocturo
