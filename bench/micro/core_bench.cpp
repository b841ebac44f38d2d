// Micro-benchmarks of the core's hot paths: the one-second tick with its
// display and tooltip refresh, and the parsers that read outside input.
#include <benchmark/benchmark.h>

#include "common/number_text.hpp"
#include "common/time_of_day.hpp"
#include "main/application.hpp"
#include "platform/sim/sim_platform.hpp"
#include "scheduler/command_line.hpp"

namespace nocturo {
namespace {

// The simulated system records every call; for a benchmark that record would
// grow without bound, so it is emptied outside the timed region.
void BM_TickWithRefresh(benchmark::State& state) {
  sim::SimPlatform machine;
  Application app(machine.platform());
  machine.ui.SetEvents(app);
  machine.system.commandLine = "/E";
  machine.Run([&] { app.Main(); });
  machine.ui.SetText(ControlId::txtDentroDe, "999");
  std::int64_t ticks = 0;
  for (auto _ : state) {
    if (app.principal().SegundosRestantes() < 60) {
      state.PauseTiming();
      machine.ui.SetTimerEnabled(false);
      machine.ui.SetEnabled(ControlId::btnEmpezar, true);
      app.OnClick(ControlId::btnEmpezar);
      state.ResumeTiming();
    }
    app.OnTimer();
    ++ticks;
    if ((ticks & 0xFFF) == 0) {
      state.PauseTiming();
      machine.system.calls.clear();
      machine.journal.entries.clear();
      state.ResumeTiming();
    }
  }
  state.SetItemsProcessed(ticks);
}
BENCHMARK(BM_TickWithRefresh);

void BM_CommandLine(benchmark::State& state) {
  const std::string line =
      "\"C:\\Archivos de programa\\Nocturo\\nocturo.exe\" /A2230 /D030 /MR /F /E";
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseCommandLine(line, ","));
  }
}
BENCHMARK(BM_CommandLine);

void BM_NumericTest(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseNumber(" -1,5e2 ", ","));
    benchmark::DoNotOptimize(ParseNumber("abc", ","));
  }
}
BENCHMARK(BM_NumericTest);

void BM_TimeTest(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(ParseTimeOfDay("22:30:00"));
    benchmark::DoNotOptimize(ParseTimeOfDay("22:3_:__"));
  }
}
BENCHMARK(BM_TimeTest);

}  // namespace
}  // namespace nocturo

BENCHMARK_MAIN();
