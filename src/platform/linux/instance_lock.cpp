#include "platform/linux/instance_lock.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/linux/private_place.hpp"

namespace nocturo::linux_desktop {

InstanceLock::~InstanceLock() {
  if (descriptor_ >= 0) {
    ::close(descriptor_);
  }
}

bool InstanceLock::HeldElsewhere() {
  if (checked_) {
    return heldElsewhere_;
  }
  checked_ = true;
  place_ = FindPrivatePlace(::getuid());
  if (!place_) {
    return false;
  }
  const std::string path = *place_ + "/nocturo.lock";
  descriptor_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (descriptor_ < 0) {
    place_.reset();
    return false;
  }
  int result = 0;
  do {
    result = ::flock(descriptor_, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  heldElsewhere_ = result != 0 && errno == EWOULDBLOCK;
  if (result != 0 && !heldElsewhere_) {
    place_.reset();  // neither ours nor anyone's: nobody to listen for
  }
  return heldElsewhere_;
}

}  // namespace nocturo::linux_desktop
