#pragma once

#include <optional>
#include <string>

namespace nocturo::linux_desktop {

// The single-instance token of a user: an exclusive lock on a file in the
// user's private directory (FindPrivatePlace), held for the life of the
// object. The kernel drops it when the process ends, however it ends, so a
// crashed copy never blocks the next one.
class InstanceLock {
 public:
  InstanceLock() = default;
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  ~InstanceLock();

  // True when another process holds the lock. Where the user has no private
  // directory, or the lock cannot be opened in it, there is no telling: the
  // program runs (a lock anyone could take would let anyone stop it).
  bool HeldElsewhere();

  // The private directory the lock is in, once HeldElsewhere has looked.
  const std::optional<std::string>& Place() const { return place_; }

 private:
  int descriptor_ = -1;
  bool checked_ = false;
  bool heldElsewhere_ = false;
  std::optional<std::string> place_;
};

}  // namespace nocturo::linux_desktop
