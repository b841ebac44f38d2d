#pragma once

// A model of the countdown kept apart from the program, and the checks that
// compare the two after every step of a long run. The oracles below are
// written from the rules the user sees (minutes times 60, a time later today
// or tomorrow, hh:mm:ss), not from the program's own helpers, so that a slip
// in a shared helper cannot hide itself.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iomanip>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>

#include "sim_fixture.hpp"

namespace nocturo::testing {

// The count the minutes box asks for: blanks, a sign, digits with at most one
// regional separator, an exponent; zero minutes are 30 seconds; otherwise
// minutes times 60 to the nearest second, a half going to the even one.
// Nothing when that gives no second to count or does not fit the count.
inline std::optional<std::int32_t> OracleWithinSeconds(std::string_view text, char separator) {
  // Accepted as a whole or not at all; strtod then reads the same characters
  // with a point for the separator.
  std::string plain;
  std::size_t i = 0;
  const auto blanks = [&] {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
      ++i;
    }
  };
  const auto digits = [&] {
    const std::size_t from = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      plain += text[i++];
    }
    return i - from;
  };
  blanks();
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    plain += text[i++];
  }
  std::size_t mantissa = digits();
  if (i < text.size() && text[i] == separator) {
    plain += '.';
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) {
    return std::nullopt;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      plain += text[i++];
    }
    if (digits() == 0) {
      return std::nullopt;
    }
  }
  blanks();
  if (i != text.size()) {
    return std::nullopt;
  }
  const double minutes = std::strtod(plain.c_str(), nullptr);
  if (!std::isfinite(minutes)) {
    return std::nullopt;
  }
  if (minutes == 0) {
    return 30;
  }
  const double seconds = std::nearbyint(minutes * 60);  // the default mode: half to even
  if (!(seconds >= 1 && seconds <= 2147483647.0)) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(seconds);
}

// Seconds since midnight of the time box's text, when all six digits are
// there and make a time of day.
inline std::optional<int> OracleTimeOfDay(const std::string& text) {
  int h = 0;
  int m = 0;
  int s = 0;
  if (text.size() != 8 || text[2] != ':' || text[5] != ':') {
    return std::nullopt;
  }
  for (std::size_t i : {0U, 1U, 3U, 4U, 6U, 7U}) {
    if (text[i] < '0' || text[i] > '9') {
      return std::nullopt;
    }
  }
  h = (text[0] - '0') * 10 + (text[1] - '0');
  m = (text[3] - '0') * 10 + (text[4] - '0');
  s = (text[6] - '0') * 10 + (text[7] - '0');
  if (h > 23 || m > 59 || s > 59) {
    return std::nullopt;
  }
  return h * 3600 + m * 60 + s;
}

// To that time later today; when it has passed or is this very second, to
// exactly that time tomorrow.
inline std::int32_t OracleSecondsUntil(int target, int now) {
  const int difference = target - now;
  return difference > 0 ? difference : difference + 86400;
}

// For a count of zero or more.
inline std::string OracleDisplay(std::int32_t count) {
  std::ostringstream out;
  out << std::setfill('0') << std::setw(2) << count / 3600 << ':' << std::setw(2)
      << count % 3600 / 60 << ':' << std::setw(2) << count % 60;
  return out.str();
}

inline std::uint32_t OracleExitFlags(int powerOff, int restart, int force) {
  const std::uint32_t action = powerOff != 0 ? 9U : restart != 0 ? 2U : 0U;
  return force == 1 ? action | 4U : action;
}

// Everything of the program that a step may change, read without touching it
// (only const reads, so an ended process is not loaded again).
struct Observation {
  bool alive = true;
  std::int32_t count = 0;
  bool counting = false;
  std::string display, status, tooltip, minutes, time, stopCaption;
  bool startEnabled = false, stopEnabled = false, scheduleEnabled = false, actionEnabled = false;
  int within = 0, atTime = 0, powerOff = 0, restart = 0, logOff = 0, force = 0;
  Colour statusColour = 0;
  bool principalVisible = false, aboutVisible = false;
  bool startUsable = false, stopUsable = false;
  std::size_t icons = 0;
  std::size_t exitCalls = 0;
  std::size_t calls = 0;
  int ticks = 0;
  int secondOfDay = 0;
  int openHandles = 0;
  int menusOpened = 0;
};

inline Observation Observe(Program& program) {
  using enum ControlId;
  const sim::SimUi& ui = program.ui();
  const sim::SimSystem& system = program.system();
  const DateTime now = program.machine.clock.Now();
  Observation o;
  o.alive = !system.ended;
  o.count = program.principal().SegundosRestantes();
  o.counting = ui.TimerEnabled();
  o.display = ui.ShownText(lblMinRestantes);  // at the end, what it showed last
  o.status = ui.Text(lblAtencion);
  o.tooltip = system.shownTooltip;
  o.minutes = ui.Text(txtDentroDe);
  o.time = ui.Text(txtALas);
  o.stopCaption = ui.Text(btnDetener);
  o.startEnabled = ui.Enabled(btnEmpezar);
  o.stopEnabled = ui.Enabled(btnDetener);
  o.scheduleEnabled = ui.Enabled(frDesconexion);
  o.actionEnabled = ui.Enabled(FrModo);
  o.within = ui.Value(optDesconexion1);
  o.atTime = ui.Value(optDesconexion2);
  o.powerOff = ui.Value(optModo1);
  o.restart = ui.Value(optModo2);
  o.logOff = ui.Value(optModo3);
  o.force = ui.Value(chkForzado);
  o.statusColour = ui.ForeColour(lblAtencion);
  o.principalVisible = ui.IsVisible(WindowId::Principal);
  o.aboutVisible = ui.IsVisible(WindowId::AcercaDe);
  o.startUsable = ui.Usable(btnEmpezar);
  o.stopUsable = ui.Usable(btnDetener);
  o.icons = system.icons.size();
  o.exitCalls = system.CallsNamed("ExitWindowsEx").size();
  o.calls = system.calls.size();
  o.ticks = program.machine.ticks;
  o.secondOfDay = now.hour * 3600 + now.minute * 60 + now.second;
  o.openHandles = system.openHandles();
  o.menusOpened = ui.menusOpened();
  return o;
}

// What a step is, as far as the model cares.
enum class StepKind {
  Other,         // anything that must leave the count and the run state alone
  Time,          // time passes: only ticks may change the count
  Start,         // a click on "Empezar"
  StopGo,        // a click on "Detener" / "Continuar"
  Exit,          // the menu's exit item
  TimeThenExit,  // time passes (in the menu), then the exit item
  EditMinutes,
  EditTime,
};

// Collects the first broken rule of a step, with the values that broke it.
class Verdict {
 public:
  // Texts given as literals are compared as texts.
  void Equal(const std::string& actual, std::string_view expected, std::string_view what) {
    Equal(std::string_view(actual), expected, what);
  }
  template <typename A, typename B>
  requires(!std::is_array_v<B>) void Equal(const A& actual, const B& expected,
                                           std::string_view what) {
    if (!(actual == expected) && failure_.empty()) {
      std::ostringstream out;
      out << what << ": got " << Show(actual) << ", expected " << Show(expected);
      failure_ = out.str();
    }
  }
  void True(bool condition, std::string_view what) {
    if (!condition && failure_.empty()) {
      failure_ = std::string(what);
    }
  }
  const std::string& failure() const { return failure_; }

 private:
  template <typename T>
  static std::string Show(const T& value) {
    std::ostringstream out;
    if constexpr (std::is_same_v<T, bool>) {
      out << (value ? "true" : "false");
    } else if constexpr (std::is_convertible_v<T, std::string_view>) {
      out << '"' << std::string_view(value) << '"';
    } else {
      out << value;
    }
    return out.str();
  }
  std::string failure_;
};

inline std::string TooltipAfterRefreshFrom(const std::string& shownBefore) {
  return shownBefore.empty() ? std::string("Nocturo") : "Nocturo - " + shownBefore;
}

// The rules that hold in every state of a living program.
inline void CheckState(const Observation& o, Verdict& v) {
  v.True(o.status == "DETENIDO" || o.status == "CONTANDO" || o.status == "ATENCIÓN!",
         "the status label shows one of its three texts, not \"" + o.status + "\"");
  v.True(o.tooltip.size() <= 63, "the tooltip fits 63 characters: \"" + o.tooltip + "\"");
  v.Equal(o.startEnabled, !o.counting, "Empezar is enabled exactly while stopped");
  v.Equal(o.scheduleEnabled, !o.counting, "the schedule frame is enabled exactly while stopped");
  v.Equal(o.actionEnabled, !o.counting, "the action frame is enabled exactly while stopped");
  v.Equal(o.within + o.atTime, 1, "one schedule option is selected");
  v.Equal(o.powerOff + o.restart + o.logOff, 1, "one action option is selected");
  v.True(o.force == 0 || o.force == 1, "the force box is clear or ticked");
  v.True(o.minutes.size() <= 3, "the minutes box holds at most three characters");
  v.Equal(o.exitCalls, 0U, "no power request while the program lives");
  v.Equal(o.icons, 1U, "the icon is shown while the program lives");
  if (o.counting) {
    v.True(o.count >= 1, "a running count has a second left");
    v.Equal(o.display, OracleDisplay(o.count), "the display reads hh:mm:ss");
    v.Equal(o.status, o.count > 30 ? "CONTANDO" : "ATENCIÓN!", "the status while counting");
    v.True(o.statusColour == kBlack || o.statusColour == kDarkRed,
           "the status colour while counting is black or dark red");
    if (o.count > 30) {
      v.Equal(o.statusColour, kBlack, "the status colour before the warning");
    }
    v.Equal(o.stopCaption, "&Detener", "the stop button's caption while counting");
    v.True(o.stopEnabled, "the stop button is enabled while counting");
    v.True(o.tooltip == "Nocturo" || o.tooltip.starts_with("Nocturo - "),
           "the tooltip names the program");
  } else {
    v.Equal(o.status, "DETENIDO", "the status while stopped");
    v.Equal(o.tooltip, "Nocturo", "the tooltip while stopped");
  }
}

// What the program must have done at its end, whichever way it went.
inline void CheckEnded(const Observation& o, Verdict& v) {
  v.True(!o.alive, "the process has ended");
  v.Equal(o.icons, 0U, "the icon is gone at the end");
  v.Equal(o.openHandles, 0, "every handle the program opened is closed at the end");
  v.True(!o.principalVisible && !o.aboutVisible, "no window is left on screen");
  v.True(!o.counting, "the timer died with the program");
}

// The rules that tie one observation to the next, given what the step was.
inline void CheckStep(StepKind kind, const Observation& before, const Observation& after,
                      Program& program, const std::string& separator, Verdict& v) {
  const int ticks = after.ticks - before.ticks;
  const bool timePasses = kind == StepKind::Time || kind == StepKind::TimeThenExit;
  if (!timePasses) {
    v.Equal(ticks, 0, "no tick outside the passing of time");
  }

  // The fatal tick, and only it, ends the program with one power request.
  if (timePasses && before.counting && before.count - ticks == 0) {
    CheckEnded(after, v);
    v.Equal(after.exitCalls, 1U, "exactly one power request, on the tick that reached zero");
    v.Equal(after.count, 0, "the count at the power request");
    v.Equal(after.display, "00:00:00", "the display at the power request");
    if (after.exitCalls == 1) {
      const auto& call = *program.system().CallsNamed("ExitWindowsEx").front();
      v.Equal(call.args.at(0), OracleExitFlags(before.powerOff, before.restart, before.force),
              "the power request's flags");
      v.Equal(call.args.at(1), 0U, "the power request's reserved word");
    }
    return;
  }
  if (timePasses) {
    v.Equal(after.count, before.count - ticks, "the count loses one second per tick");
  }
  if (kind == StepKind::Exit || kind == StepKind::TimeThenExit) {
    CheckEnded(after, v);
    v.Equal(after.exitCalls, 0U, "no power request on the menu's exit");
    return;
  }
  v.True(after.alive, "the process lives on");
  if (!after.alive) {
    return;
  }
  CheckState(after, v);

  switch (kind) {
    case StepKind::Time:
      v.Equal(after.counting, before.counting, "time alone does not start or stop the count");
      if (!before.counting) {
        v.Equal(ticks, 0, "no tick while stopped");
      } else if (ticks > 0) {
        v.Equal(after.tooltip, "Nocturo - " + OracleDisplay(after.count + 1),
                "the tooltip is one second behind the display");
      }
      break;
    case StepKind::Start:
    case StepKind::StopGo: {
      const bool delivered = kind == StepKind::Start ? before.startUsable : before.stopUsable;
      std::optional<std::int32_t> expected;  // a start's count; nothing: no start
      bool stops = false;
      bool resumes = false;
      if (delivered && kind == StepKind::Start) {
        expected = before.within != 0 ? OracleWithinSeconds(before.minutes, separator.front())
                                      : [&]() -> std::optional<std::int32_t> {
          const auto target = OracleTimeOfDay(before.time);
          if (!target) {
            return std::nullopt;
          }
          return OracleSecondsUntil(*target, before.secondOfDay);
        }();
      } else if (delivered && before.counting) {
        stops = true;
      } else if (delivered && before.within != 0) {
        resumes = true;
      } else if (delivered) {
        if (const auto target = OracleTimeOfDay(before.time)) {
          expected = OracleSecondsUntil(*target, before.secondOfDay);
        }
      }
      if (expected) {
        v.True(after.counting, "a valid start counts");
        v.Equal(after.count, *expected, "the count a start sets");
        v.True(after.stopEnabled, "a start enables the stop button");
        v.Equal(after.tooltip, TooltipAfterRefreshFrom(before.display),
                "the first refresh's tooltip shows the display before it");
      } else if (stops) {
        v.True(!after.counting, "Detener stops the count");
        v.Equal(after.count, before.count, "a stop keeps the count");
        v.Equal(after.stopCaption, "C&ontinuar", "the stop button offers to continue");
        v.Equal(after.display, before.display, "a stop keeps the display");
      } else if (resumes) {
        v.True(after.counting, "Continuar resumes the count");
        v.Equal(after.count, before.count, "a resumed count goes on from where it stopped");
        v.Equal(after.tooltip, TooltipAfterRefreshFrom(before.display),
                "the tooltip after resuming shows the display before it");
      } else {
        v.Equal(after.counting, before.counting, "a refused click leaves the run state");
        v.Equal(after.count, before.count, "a refused click leaves the count");
        v.Equal(after.display, before.display, "a refused click leaves the display");
        v.Equal(after.status, before.status, "a refused click leaves the status");
        v.Equal(after.stopCaption, before.stopCaption, "a refused click leaves the caption");
        v.Equal(after.calls, before.calls, "a refused click makes no system call");
      }
      break;
    }
    case StepKind::EditMinutes:
    case StepKind::EditTime:
    case StepKind::Other:
      v.Equal(after.counting, before.counting, "only the buttons start or stop the count");
      v.Equal(after.count, before.count, "only a tick or a start changes the count");
      v.Equal(after.display, before.display, "the display changes only with the count");
      if (kind == StepKind::EditMinutes && after.minutes != before.minutes) {
        v.Equal(after.within, 1, "editing the minutes selects the within mode");
      }
      if (kind == StepKind::EditTime && after.time != before.time) {
        v.Equal(after.atTime, 1, "editing the time selects the at-time mode");
      }
      if (kind == StepKind::Other) {
        v.Equal(after.minutes, before.minutes, "the minutes change only when edited");
        v.Equal(after.time, before.time, "the time changes only when edited");
      }
      break;
    case StepKind::Exit:
    case StepKind::TimeThenExit:
      break;
  }
}

}  // namespace nocturo::testing
