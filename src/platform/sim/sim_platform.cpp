#include "platform/sim/sim_platform.hpp"

#include "app/window_position.hpp"

namespace nocturo::sim {
namespace {

// Days since 1970-01-01 of a civil date, and back (proleptic Gregorian).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

DateTime CivilFromSeconds(std::int64_t seconds) {
  std::int64_t days = seconds / 86400;
  std::int64_t rest = seconds % 86400;
  if (rest < 0) {
    rest += 86400;
    --days;
  }
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const auto doe = static_cast<unsigned>(days - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2 ? 1 : 0);
  return {.year = static_cast<int>(y),
          .month = static_cast<int>(m),
          .day = static_cast<int>(d),
          .hour = static_cast<int>(rest / 3600),
          .minute = static_cast<int>(rest % 3600 / 60),
          .second = static_cast<int>(rest % 60)};
}

}  // namespace

DateTime SimClock::Now() const {
  return CivilFromSeconds(secondsSinceEpoch_);
}

void SimClock::Set(const DateTime& now) {
  secondsSinceEpoch_ =
      DaysFromCivil(now.year, static_cast<unsigned>(now.month), static_cast<unsigned>(now.day)) *
          86400 +
      std::int64_t{now.hour} * 3600 + std::int64_t{now.minute} * 60 + now.second;
}

void SimClock::AdvanceMilliseconds(std::int64_t ms) {
  milliseconds_ += ms;
  subsecond_ += ms;
  secondsSinceEpoch_ += subsecond_ / 1000;
  subsecond_ %= 1000;
}

std::optional<std::string> SimSettings::Read(std::string_view application, std::string_view section,
                                             std::string_view key) const {
  const auto found =
      values_.find({std::string(application), std::string(section), std::string(key)});
  if (found == values_.end()) {
    return std::nullopt;
  }
  return found->second;
}

void SimSettings::Write(std::string_view application, std::string_view section,
                        std::string_view key, std::string_view value) {
  if (journal_ != nullptr) {
    journal_->Add("Write " + std::string(key) + "=" + std::string(value));
  }
  ++writes;
  if (readOnly) {
    return;
  }
  values_[{std::string(application), std::string(section), std::string(key)}] = std::string(value);
}

void SimSettings::Put(std::string_view key, std::string_view value) {
  values_[{std::string(kSettingsApplication), std::string(kSettingsSection), std::string(key)}] =
      std::string(value);
}

void SimSettings::PutNonText(std::string_view key) {
  values_[{std::string(kSettingsApplication), std::string(kSettingsSection), std::string(key)}] =
      std::nullopt;
}

void SimSettings::Erase(std::string_view key) {
  values_.erase(
      {std::string(kSettingsApplication), std::string(kSettingsSection), std::string(key)});
}

std::optional<std::string> SimSettings::Get(std::string_view key) const {
  return Read(kSettingsApplication, kSettingsSection, key);
}

SimPlatform::SimPlatform()
    : platform_{
          .ui = ui, .system = system, .clock = clock, .settings = settings, .regional = regional} {
  ui.SetJournal(journal);
  system.SetJournal(journal);
  settings.SetJournal(journal);
  clock.Set({.year = 2026, .month = 12, .day = 7, .hour = 14, .minute = 0, .second = 0});
}

bool SimPlatform::AdvanceMilliseconds(std::int64_t ms) {
  const std::int64_t end = clock.milliseconds() + ms;
  while (!system.ended) {
    if (!ui.TimerEnabled()) {
      generation_ = -1;
      clock.AdvanceMilliseconds(end - clock.milliseconds());
      return true;
    }
    if (generation_ != ui.timerGeneration()) {
      generation_ = ui.timerGeneration();
      nextTick_ = clock.milliseconds() + 1000;
    }
    if (nextTick_ > end) {
      clock.AdvanceMilliseconds(end - clock.milliseconds());
      return true;
    }
    clock.AdvanceMilliseconds(nextTick_ - clock.milliseconds());
    nextTick_ += 1000;
    ++ticks;
    if (!Run([&] { ui.TimerTick(); })) {
      return false;
    }
  }
  return false;
}

}  // namespace nocturo::sim
