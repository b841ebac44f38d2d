#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "model_checker.hpp"
#include "sim_fixture.hpp"

namespace nocturo {
namespace {

using enum ControlId;
using testing::Observation;
using testing::Observe;
using testing::OracleDisplay;
using testing::Program;
using testing::StepKind;
using testing::Verdict;

// --- a month-long count ---

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// Every tick of a month is delivered, one at a time: 2,592,000 of them, about
// 17 s in the debug build. The sanitizers make each tick several times dearer
// and find nothing on the 30th day that the first did not show them, so there
// the count is one day.
constexpr int kDays = kSanitized ? 1 : 30;
constexpr std::int32_t kCount = kDays * 86'400;

std::int64_t WallSeconds(const DateTime& t) {
  using namespace std::chrono;
  const sys_days day{year{t.year} / month{static_cast<unsigned>(t.month)} /
                     std::chrono::day{static_cast<unsigned>(t.day)}};
  return std::int64_t{day.time_since_epoch().count()} * 86'400 + std::int64_t{t.hour} * 3600 +
         std::int64_t{t.minute} * 60 + t.second;
}

// The minutes box takes three characters when typed, so a month can only be
// written into it by the program, which the box accepts (as Windows' edit
// control does) and reports as a change; the click is the user's.
TEST(LongRun, AMonthLongCountActsOnceOnItsLastTick) {
  Program program;
  ASSERT_TRUE(program.Start("/S /MR /F"));
  ASSERT_TRUE(program.machine.Run(
      [&] { program.ui().SetText(txtDentroDe, std::to_string(kDays * 24 * 60)); }));
  ASSERT_EQ(program.ui().Value(optDesconexion1), 1);
  ASSERT_TRUE(program.Click(btnEmpezar));
  ASSERT_EQ(program.principal().SegundosRestantes(), kCount);
  EXPECT_EQ(program.Text(lblMinRestantes), std::to_string(kDays * 24) + ":00:00");
  const int ticksAtStart = program.machine.ticks;
  const DateTime startedAt = program.machine.clock.Now();

  // An hour at a time, forgetting the calls already checked so that a month
  // of tooltip updates does not pile up in memory.
  std::int32_t left = kCount;
  while (left > 3600) {
    ASSERT_TRUE(program.Tick(3600));
    left -= 3600;
    ASSERT_EQ(program.machine.ticks - ticksAtStart, kCount - left);
    ASSERT_EQ(program.principal().SegundosRestantes(), left);
    ASSERT_EQ(program.Text(lblMinRestantes), OracleDisplay(left));
    ASSERT_EQ(program.Text(lblAtencion), "CONTANDO");
    ASSERT_EQ(program.system().shownTooltip, "Nocturo - " + OracleDisplay(left + 1));
    ASSERT_TRUE(program.system().CallsNamed("ExitWindowsEx").empty());
    program.system().calls.clear();
    program.machine.journal.entries.clear();
    // The user moves the clock back an hour and later forward again: the
    // count never looks at it.
    if (left == kCount - 3600) {
      program.machine.clock.Shift(-3600);
    } else if (left == kCount - 2 * 3600) {
      program.machine.clock.Shift(3600);
    }
  }
  EXPECT_EQ(program.Text(lblMinRestantes), "01:00:00");
  ASSERT_TRUE(program.Tick(3599));
  EXPECT_EQ(program.Text(lblMinRestantes), "00:00:01");
  EXPECT_EQ(program.Text(lblAtencion), "ATENCIÓN!");
  EXPECT_EQ(program.system().shownTooltip, "Nocturo - 00:00:02");
  // The last second, to the millisecond.
  ASSERT_TRUE(program.machine.AdvanceMilliseconds(999));
  EXPECT_TRUE(program.system().CallsNamed("ExitWindowsEx").empty());
  EXPECT_FALSE(program.machine.AdvanceMilliseconds(1));

  EXPECT_EQ(program.machine.ticks - ticksAtStart, kCount);
  EXPECT_EQ(program.ShownText(lblMinRestantes), "00:00:00");
  const auto requests = program.system().CallsNamed("ExitWindowsEx");
  ASSERT_EQ(requests.size(), 1U);
  EXPECT_EQ(requests.front()->args, (std::vector<std::uint32_t>{6, 0}));  // restart, forced
  EXPECT_TRUE(program.system().icons.empty());
  EXPECT_EQ(program.system().openHandles(), 0);
  // The wall clock moved by exactly as many seconds as were counted.
  EXPECT_EQ(WallSeconds(program.machine.clock.Now()) - WallSeconds(startedAt), kCount);
}

// The longest count a user can type: an exponent fits the three characters.
TEST(LongRun, TheLongestTypedCountIsFiftyThousandMinutes) {
  Program program;
  ASSERT_TRUE(program.Start("/S"));
  ASSERT_TRUE(program.ui().ReplaceText(txtDentroDe, "5e4"));
  ASSERT_TRUE(program.Click(btnEmpezar));
  EXPECT_EQ(program.principal().SegundosRestantes(), 3'000'000);
  EXPECT_EQ(program.Text(lblMinRestantes), "833:20:00");
  ASSERT_TRUE(program.Tick(3600));
  EXPECT_EQ(program.Text(lblMinRestantes), "832:20:00");
}

// --- random sequences ---

// A fixed generator with its own bounded draw, so a seed replays the same
// sequence on every standard library.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  int Between(int low, int high) { return low + Below(high - low + 1); }
  bool Chance(int percent) { return Below(100) < percent; }
  template <typename T, std::size_t N>
  T Pick(const std::array<T, N>& items) {
    return items[Next() % N];
  }
  std::string Keys(std::string_view alphabet, int low, int high) {
    std::string keys;
    for (int n = Between(low, high); n > 0; --n) {
      keys.push_back(alphabet[static_cast<std::size_t>(Below(static_cast<int>(alphabet.size())))]);
    }
    return keys;
  }

 private:
  std::uint64_t state_;
};

std::string Printable(std::string_view keys) {
  std::string out;
  for (char c : keys) {
    out += c == '\b' ? std::string("\\b") : std::string(1, c);
  }
  return out;
}

std::string TwoDigits(int value) {
  return std::string(1, static_cast<char>('0' + value / 10)) + static_cast<char>('0' + value % 10);
}

struct Step {
  std::string what;
  StepKind kind = StepKind::Other;
  std::function<void()> act;
};

// Keys a user might hit in the minutes box: digits (often), both separators,
// signs, the exponent, letters, blanks and backspace.
constexpr std::string_view kMinutesKeys = "0000111223456789,.+-eEax \b\b";
constexpr std::string_view kTimeKeys = "0011223345567899:x \b\b";

Step NextStep(Random& random, Program& program) {
  // The step runs later: it holds the machine by pointer.
  Program* const p = &program;
  sim::SimUi* const ui = &program.ui();
  const auto run = [p](auto action) { return [p, action] { p->machine.Run(action); }; };
  const int roll = random.Below(1000);
  if (roll < 200) {
    const int ms = random.Between(0, 2500);
    return {"wait " + std::to_string(ms) + " ms", StepKind::Time,
            [p, ms] { p->machine.AdvanceMilliseconds(ms); }};
  }
  if (roll < 250) {
    const int ms = random.Between(2000, 35'000);
    return {"wait " + std::to_string(ms) + " ms", StepKind::Time,
            [p, ms] { p->machine.AdvanceMilliseconds(ms); }};
  }
  if (roll < 262) {
    const int ms = random.Between(35'000, 120'000);
    return {"wait " + std::to_string(ms) + " ms", StepKind::Time,
            [p, ms] { p->machine.AdvanceMilliseconds(ms); }};
  }
  if (roll < 375) {
    return {"click Empezar", StepKind::Start, [p] { p->Click(btnEmpezar); }};
  }
  if (roll < 455) {
    return {"click Detener/Continuar", StepKind::StopGo, [p] { p->Click(btnDetener); }};
  }
  if (roll < 505) {
    const ControlId option = random.Chance(50) ? optDesconexion1 : optDesconexion2;
    return {option == optDesconexion1 ? "click Dentro de" : "click A las", StepKind::Other,
            [p, option] { p->Click(option); }};
  }
  if (roll < 585) {
    const std::string keys = random.Keys(kMinutesKeys, 1, 4);
    return {"type \"" + Printable(keys) + "\" into the minutes", StepKind::EditMinutes,
            run([ui, keys] { ui->Type(txtDentroDe, keys); })};
  }
  if (roll < 645) {
    // Mostly short counts, so that many runs reach their end.
    const std::string text = random.Chance(60) ? std::string(random.Chance(50) ? "0" : "1")
                                               : random.Keys(kMinutesKeys, 0, 3);
    return {"replace the minutes with \"" + Printable(text) + "\"", StepKind::EditMinutes,
            run([ui, text] { ui->ReplaceText(txtDentroDe, text); })};
  }
  if (roll < 675) {
    const std::string text = random.Keys(kMinutesKeys, 0, 5);
    return {"paste \"" + Printable(text) + "\" into the minutes", StepKind::EditMinutes,
            run([ui, text] { ui->PasteInto(txtDentroDe, text); })};
  }
  if (roll < 725) {
    const std::string keys = random.Keys(kTimeKeys, 1, 6);
    return {"type \"" + Printable(keys) + "\" into the time", StepKind::EditTime,
            run([ui, keys] { ui->Type(txtALas, keys); })};
  }
  if (roll < 755) {
    const std::string text = random.Keys(kTimeKeys, 0, 9);
    return {"paste \"" + Printable(text) + "\" into the time", StepKind::EditTime,
            run([ui, text] { ui->PasteInto(txtALas, text); })};
  }
  if (roll < 795) {
    // A time a little ahead of (or just behind) the clock, so at-time counts
    // also run out within a sequence.
    const DateTime now = program.machine.clock.Now();
    const int at =
        ((now.hour * 3600 + now.minute * 60 + now.second + random.Between(-5, 120)) + 86400) %
        86400;
    const std::string digits =
        TwoDigits(at / 3600) + TwoDigits(at % 3600 / 60) + TwoDigits(at % 60);
    return {"set the time to " + digits, StepKind::EditTime,
            run([ui, digits] { ui->ReplaceText(txtALas, digits); })};
  }
  if (roll < 835) {
    const ControlId option = random.Pick(std::array{optModo1, optModo2, optModo3});
    return {"click action option " + std::to_string(static_cast<int>(option) - 12), StepKind::Other,
            [p, option] { p->Click(option); }};
  }
  if (roll < 860) {
    return {"click Forzar", StepKind::Other, [p] { p->Click(chkForzado); }};
  }
  if (roll < 885) {
    return {"click Ocultar", StepKind::Other, [p] { p->Click(btnSalir); }};
  }
  if (roll < 905) {
    const WindowId window = random.Chance(70) ? WindowId::Principal : WindowId::AcercaDe;
    return {window == WindowId::Principal ? "close the main window" : "close the About window",
            StepKind::Other, run([ui, window] { ui->PressCloseBox(window); })};
  }
  if (roll < 915) {
    return {"click Cerrar in About", StepKind::Other, [p] { p->Click(cerrarayuda); }};
  }
  if (roll < 950) {
    return {"double-click the icon", StepKind::Other, run([ui] { ui->PostTrayNotification(515); })};
  }
  if (roll < 980) {
    // The exit item only rarely: it ends the sequence.
    const int choice = random.Below(200) == 0 ? 3 : random.Below(3);
    if (random.Chance(60)) {
      return {"right-click the icon, menu item " + std::to_string(choice),
              choice == 3 ? StepKind::Exit : StepKind::Other, run([ui, choice] {
                ui->SetMenuChoice(choice);
                ui->PostTrayNotification(517);
              })};
    }
    // The menu's own message loop goes on delivering the timer and the icon's
    // notifications while the user hesitates.
    const int ms = random.Between(0, 40'000);
    const int nested = random.Pick(std::array{515, 517, 512});
    return {"right-click the icon, wait " + std::to_string(ms) + " ms in the menu (icon sends " +
                std::to_string(nested) + "), menu item " + std::to_string(choice),
            choice == 3 ? StepKind::TimeThenExit : StepKind::Time, run([p, ui, choice, ms, nested] {
              ui->SetMenuChoice(choice);
              ui->SetWhileMenuOpen([p, ui, ms, nested] {
                ui->PostTrayNotification(nested);
                if (!p->machine.AdvanceMilliseconds(ms)) {
                  throw sim::ProcessEnded{};  // the end of the process unwinds the menu too
                }
              });
              ui->PostTrayNotification(517);
              ui->SetWhileMenuOpen(nullptr);
            })};
  }
  if (roll < 985) {
    const int message = random.Pick(std::array{512, 513, 514, 516, 518});
    return {"tray notification " + std::to_string(message), StepKind::Other,
            run([ui, message] { ui->PostTrayNotification(message); })};
  }
  if (roll < 997) {
    const int shift = random.Chance(50) ? 3600 : -3600;
    return {"move the clock " + std::to_string(shift) + " s", StepKind::Other,
            [p, shift] { p->machine.clock.Shift(shift); }};
  }
  return {"restart the taskbar", StepKind::Other, run([p] {
            p->system().icons.clear();
            p->ui().BroadcastTaskbarCreated();
          })};
}

std::uint64_t EnvOr(const char* name, std::uint64_t fallback) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::strtoull(value, nullptr, 0) : fallback;
}

// Thousands of short random sessions against the model: after every step the
// count, the run state, the display, the status, the tooltip and the power
// request must be what the model says, and every session must end clean.
TEST(LongRun, RandomSessionsKeepEveryInvariant) {
  const std::uint64_t seed = EnvOr("NOCTURO_LONG_RUN_SEED", 20261207);
  const auto sequences = static_cast<int>(EnvOr("NOCTURO_LONG_RUN_SEQUENCES", 10'000));
  const std::array<std::string_view, 8> commandLines = {
      "/S", "/S", "", "/S /MR /F", "/S /ML", "/S /D000 /E", "/D001 /E", "/S /A0000"};

  long long steps = 0;
  long long ticks = 0;
  int endedByCount = 0;
  int withinStarts = 0;
  int atTimeStarts = 0;
  int stops = 0;
  int endedByMenu = 0;
  const auto started = std::chrono::steady_clock::now();
  for (int index = 0; index < sequences; ++index) {
    Random random(seed * 1'000'003 + static_cast<std::uint64_t>(index));
    Program program;
    const std::string separator = random.Chance(50) ? "," : ".";
    program.machine.regional.decimalSeparator = separator;
    // Any time of day, the last minute before midnight often.
    const int second = random.Chance(20) ? 86'340 + random.Below(60) : random.Below(86'400);
    program.machine.clock.Set({2026, 12, 7, second / 3600, second % 3600 / 60, second % 60});
    const std::string commandLine(random.Pick(commandLines));

    std::string setting = "clock at " + OracleDisplay(second);
    setting += ", separator \"" + separator;
    setting += "\", start with \"" + commandLine;
    setting += '"';
    std::vector<std::string> log = {setting};
    const auto report = [&](const std::string& failure) {
      std::ostringstream out;
      out << "seed " << seed << ", sequence " << index << ", step " << log.size() - 1 << ": "
          << failure << "\n";
      for (std::size_t i = 0; i < log.size(); ++i) {
        out << "  " << i << ": " << log[i] << "\n";
      }
      return out.str();
    };

    ASSERT_TRUE(program.Start(commandLine)) << report("start-up ended the process");
    // Nothing happens between steps, so each step's result is the next one's
    // starting point.
    Observation before = Observe(program);
    {
      Verdict verdict;
      testing::CheckState(before, verdict);
      ASSERT_TRUE(verdict.failure().empty()) << report(verdict.failure());
    }
    const int length = random.Between(12, 40);
    bool alive = true;
    for (int n = 0; n < length && alive; ++n) {
      Step step = NextStep(random, program);
      log.push_back(step.what);
      step.act();
      Observation after = Observe(program);
      ++steps;
      Verdict verdict;
      testing::CheckStep(step.kind, before, after, program, separator, verdict);
      verdict.Equal(after.menusOpened - before.menusOpened,
                    step.what.starts_with("right-click") ? 1 : 0,
                    "only a right-click opens the menu, and only one");
      if (step.what == "restart the taskbar") {
        verdict.Equal(after.tooltip, before.tooltip, "the icon comes back with its tooltip");
      }
      ASSERT_TRUE(verdict.failure().empty()) << report(verdict.failure());
      if (!before.counting && after.counting) {
        ++(before.within != 0 ? withinStarts : atTimeStarts);
      } else if (before.counting && !after.counting && after.alive) {
        ++stops;
      }
      alive = after.alive;
      if (!alive) {
        ++(after.exitCalls == 0 ? endedByMenu : endedByCount);
      }
      before = std::move(after);
    }
    if (alive) {
      log.emplace_back("right-click the icon, menu item 3");
      program.machine.Run([&] {
        program.ui().SetMenuChoice(3);
        program.ui().PostTrayNotification(517);
      });
      Verdict verdict;
      testing::CheckStep(StepKind::Exit, before, Observe(program), program, separator, verdict);
      ASSERT_TRUE(verdict.failure().empty()) << report(verdict.failure());
      ++endedByMenu;
    }
    ticks += program.machine.ticks;
  }
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - started);
  std::cout << "[ long run ] seed " << seed << ": " << sequences << " sessions, " << steps
            << " steps, " << ticks << " ticks; " << withinStarts << " starts within minutes, "
            << atTimeStarts << " at a time, " << stops << " stops; " << endedByCount
            << " ended by their count, " << endedByMenu << " by the menu; " << elapsed.count()
            << " ms\n";
}

}  // namespace
}  // namespace nocturo
