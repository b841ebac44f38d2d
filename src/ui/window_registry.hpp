#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "platform/control_ids.hpp"

namespace nocturo {

// The program's two windows as a backend holds them. Each is made by the
// first call that needs it and made once: one that was destroyed, or that the
// system would not create, stays gone, so no later call runs its load handler
// again. Form has Create() (makes it and runs its load handler), Alive() and
// Destroy(). Deleter lets a toolkit delete a window once its events are done.
template <class Form, class Deleter = std::default_delete<Form>>
class WindowRegistry {
 public:
  // The window, made now if it has never been; nullptr once destroyed.
  template <class Make>
  Form* Live(WindowId window, Make make) {
    std::unique_ptr<Form, Deleter>& form = forms_[Slot(window)];
    if (!form && !destroyed_[Slot(window)]) {
      // Stored before it is built: the load handler already reaches it.
      form = make();
      form->Create();
    }
    return form && form->Alive() ? form.get() : nullptr;
  }

  // The window if it exists now; never makes it.
  Form* Existing(WindowId window) const {
    const std::unique_ptr<Form, Deleter>& form = forms_[Slot(window)];
    return form && form->Alive() ? form.get() : nullptr;
  }

  bool Destroyed(WindowId window) const { return destroyed_[Slot(window)]; }

  // The object is kept until the end: a window may be destroyed from inside
  // one of its own handlers.
  void Destroy(WindowId window) {
    destroyed_[Slot(window)] = true;
    if (std::unique_ptr<Form, Deleter>& form = forms_[Slot(window)]; form) {
      form->Destroy();
      retired_.push_back(std::move(form));
    }
  }

  // Every window made and not destroyed, alive or not.
  template <class Visit>
  void ForEach(Visit visit) const {
    for (const std::unique_ptr<Form, Deleter>& form : forms_) {
      if (form) {
        visit(*form);
      }
    }
  }

 private:
  static std::size_t Slot(WindowId window) { return static_cast<std::size_t>(window); }

  std::array<std::unique_ptr<Form, Deleter>, 2> forms_;
  std::array<bool, 2> destroyed_{};
  std::vector<std::unique_ptr<Form, Deleter>> retired_;
};

}  // namespace nocturo
