#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <tuple>

#include "platform/platform.hpp"
#include "platform/sim/journal.hpp"
#include "platform/sim/sim_system.hpp"
#include "platform/sim/sim_ui.hpp"

namespace nocturo::sim {

// A wall clock that moves only when the test says so.
class SimClock final : public Clock {
 public:
  DateTime Now() const override;
  void Set(const DateTime& now);
  // Moves the clock by whole seconds (negative to go back), as a user changing
  // the system time would.
  void Shift(std::int64_t seconds) { secondsSinceEpoch_ += seconds; }
  void AdvanceMilliseconds(std::int64_t ms);
  std::int64_t milliseconds() const { return milliseconds_; }

 private:
  std::int64_t secondsSinceEpoch_ = 0;
  std::int64_t milliseconds_ = 0;  // monotonic, for timers
  std::int64_t subsecond_ = 0;
};

class SimSettings final : public SettingsStore {
 public:
  std::optional<std::string> Read(std::string_view application, std::string_view section,
                                  std::string_view key) const override;
  void Write(std::string_view application, std::string_view section, std::string_view key,
             std::string_view value) override;

  void SetJournal(Journal& journal) { journal_ = &journal; }
  // What a hand edit or a corrupt store can hold: text, or a value of another
  // type, which reads as nothing.
  void Put(std::string_view key, std::string_view value);
  void PutNonText(std::string_view key);
  void Erase(std::string_view key);
  std::optional<std::string> Get(std::string_view key) const;
  bool readOnly = false;
  int writes = 0;

 private:
  using Key = std::tuple<std::string, std::string, std::string>;
  std::map<Key, std::optional<std::string>> values_;
  Journal* journal_ = nullptr;
};

class SimRegional final : public Regional {
 public:
  std::string DecimalSeparator() const override { return decimalSeparator; }
  std::string decimalSeparator = ",";
};

// The whole simulated machine, wired to one program instance.
class SimPlatform {
 public:
  SimPlatform();

  Platform& platform() { return platform_; }

  // Lets time pass, delivering the timer's ticks as they fall due. Returns
  // false if the process ended meanwhile.
  bool AdvanceMilliseconds(std::int64_t ms);
  bool AdvanceSeconds(std::int64_t seconds) { return AdvanceMilliseconds(seconds * 1000); }
  // Runs one action of the program, turning the end of the process into a
  // result: true while the process lives.
  template <typename Action>
  bool Run(Action&& action) {
    if (system.ended) {
      return false;
    }
    try {
      action();
    } catch (const ProcessEnded&) {
      return false;
    }
    return true;
  }

  Journal journal;
  SimUi ui;
  SimSystem system;
  SimClock clock;
  SimSettings settings;
  SimRegional regional;
  int ticks = 0;

 private:
  Platform platform_;
  int generation_ = -1;
  std::int64_t nextTick_ = 0;
};

}  // namespace nocturo::sim
