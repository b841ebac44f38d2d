#include "platform/linux/instance_lock.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace nocturo::linux_desktop {

InstanceLock::~InstanceLock() {
  if (descriptor_ >= 0) {
    ::close(descriptor_);
  }
}

std::string InstanceLock::LockPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime == '/') {
    return std::string(runtime) + "/nocturo.lock";
  }
  return "/tmp/nocturo-" + std::to_string(::getuid()) + ".lock";
}

bool InstanceLock::HeldElsewhere() {
  if (checked_) {
    return heldElsewhere_;
  }
  checked_ = true;
  const std::string path = LockPath();
  // O_NOFOLLOW: in a shared /tmp, another user's link must not redirect us.
  descriptor_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (descriptor_ < 0) {
    return false;
  }
  int result = 0;
  do {
    result = ::flock(descriptor_, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  heldElsewhere_ = result != 0 && errno == EWOULDBLOCK;
  return heldElsewhere_;
}

}  // namespace nocturo::linux_desktop
