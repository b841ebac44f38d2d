#pragma once

#include <string>

namespace nocturo::linux_desktop {

// The single-instance token of a user session: an exclusive lock on a file in
// the user's runtime directory, held for the life of the object. The kernel
// drops it when the process ends, however it ends, so a crashed copy never
// blocks the next one.
class InstanceLock {
 public:
  InstanceLock() = default;
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  ~InstanceLock();

  // True when another process holds the lock. A lock file that cannot be
  // opened at all is no sign of another copy: the program runs.
  bool HeldElsewhere();

  // $XDG_RUNTIME_DIR/nocturo.lock, or a per-user name in /tmp without it.
  static std::string LockPath();

 private:
  int descriptor_ = -1;
  bool checked_ = false;
  bool heldElsewhere_ = false;
};

}  // namespace nocturo::linux_desktop
