#pragma once

#include <QSocketNotifier>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace nocturo::linux_desktop {

// How a second start reaches the running copy: a named pipe in the user's
// private directory, which only the lock's holder listens on. Lines shorter
// than PIPE_BUF arrive whole, however many starts write at once.
class InstanceDoorbell {
 public:
  InstanceDoorbell() = default;
  InstanceDoorbell(const InstanceDoorbell&) = delete;
  InstanceDoorbell& operator=(const InstanceDoorbell&) = delete;
  ~InstanceDoorbell();

  // Makes the pipe afresh in `place` (one left by a killed copy is replaced)
  // and hands each line heard, without its end, to `heard`.
  bool Listen(const std::string& place, std::function<void(std::string_view)> heard);

  // Writes one line to the copy listening in `place`; false when none is.
  static bool Ring(const std::string& place, std::string_view line);

 private:
  void Read();

  int reader_ = -1;
  // Held so the pipe never reads as ended between two writers.
  int writer_ = -1;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::function<void(std::string_view)> heard_;
  std::string pending_;
};

}  // namespace nocturo::linux_desktop
