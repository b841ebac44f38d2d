#include "platform/linux/instance_doorbell.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <thread>
#include <utility>

namespace nocturo::linux_desktop {
namespace {

constexpr std::size_t kLineLimit = 512;
// Two copies started at the same instant: the one holding the lock may not
// be listening yet.
constexpr int kRingAttempts = 20;
constexpr auto kRingPause = std::chrono::milliseconds(50);

std::string PipePath(const std::string& place) {
  return place + "/nocturo.bell";
}

}  // namespace

InstanceDoorbell::~InstanceDoorbell() {
  notifier_.reset();
  for (const int descriptor : {reader_, writer_}) {
    if (descriptor >= 0) {
      ::close(descriptor);
    }
  }
}

bool InstanceDoorbell::Listen(const std::string& place,
                              std::function<void(std::string_view)> heard) {
  const std::string path = PipePath(place);
  (void)::unlink(path.c_str());  // a killed copy's, or nothing
  if (::mkfifo(path.c_str(), S_IRUSR | S_IWUSR) != 0) {
    return false;
  }
  reader_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
  writer_ = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
  if (reader_ < 0 || writer_ < 0) {
    return false;
  }
  heard_ = std::move(heard);
  notifier_ = std::make_unique<QSocketNotifier>(reader_, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(),
                   [this] { Read(); });
  return true;
}

void InstanceDoorbell::Read() {
  std::array<char, kLineLimit> buffer{};
  ssize_t count = 0;
  while ((count = ::read(reader_, buffer.data(), buffer.size())) > 0) {
    pending_.append(buffer.data(), static_cast<std::size_t>(count));
  }
  std::size_t end = 0;
  while ((end = pending_.find('\n')) != std::string::npos) {
    const std::string line = pending_.substr(0, end);
    pending_.erase(0, end + 1);
    heard_(line);
  }
  // Whatever no line end follows is nobody's message.
  if (pending_.size() > kLineLimit) {
    pending_.clear();
  }
}

bool InstanceDoorbell::Ring(const std::string& place, std::string_view line) {
  if (line.size() > kLineLimit) {
    return false;
  }
  const std::string path = PipePath(place);
  for (int attempt = 0; attempt < kRingAttempts; ++attempt) {
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (descriptor >= 0) {
      const ssize_t written = ::write(descriptor, line.data(), line.size());
      ::close(descriptor);
      return written == static_cast<ssize_t>(line.size());
    }
    if (errno != ENXIO && errno != ENOENT) {
      return false;
    }
    std::this_thread::sleep_for(kRingPause);
  }
  return false;
}

}  // namespace nocturo::linux_desktop
