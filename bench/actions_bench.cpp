// What the waits of the auxiliary actions cost: a 5-second wait for a
// process (WaitForProcess), for the Network dialog (the control panel
// automation, followed by its one-second wait) and of the message-pumping
// wait itself. Each runs once and reports the share of one core it used
// (cpu_percent) and how long after the awaited change it returned
// (reaction_ms).
#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include <ctime>
#include <fstream>
#include <string>

#include "actions/ExecUtil.h"
#include "actions/ZNetUtil.h"
#include "system/ZubaUtil.h"
#include "testing/TempMachine.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/ScriptedUiServices.h"

namespace {

using zuba::testing::TempMachine;
using zuba::toolkit::ScriptedUiServices;

double Seconds(clockid_t clock) {
  timespec t;
  clock_gettime(clock, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

// Measures `wait`, which answers how many seconds after the awaited change
// it noticed it.
template <class Wait>
void Measure(benchmark::State& state, Wait wait) {
  double cpu = 0, wall = 0, reaction = 0;
  for (auto _ : state) {
    const double cpu0 = Seconds(CLOCK_PROCESS_CPUTIME_ID), wall0 = Seconds(CLOCK_REALTIME);
    reaction += wait();
    cpu += Seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0;
    wall += Seconds(CLOCK_REALTIME) - wall0;
  }
  state.counters["cpu_percent"] = 100 * cpu / wall;
  state.counters["reaction_ms"] = 1000 * reaction / state.iterations();
}

void BM_WaitForProcess5s(benchmark::State& state) {
  TempMachine machine;
  const std::string program = machine.HostPath("drive_c/WAIT.EXE");
  std::ofstream(program) << "#!/bin/sh\nsleep 5\ndate +%s.%N > ended.txt\n";
  chmod(program.c_str(), 0755);
  ScriptedUiServices ui;
  Measure(state, [&] {
    zuba::platform::System& system = machine.system();
    auto process = zuba::actions::ExecCommand(system, machine.files(), "C:\\WAIT.EXE", "C:\\",
                                              zuba::actions::kShowNormal);
    zuba::actions::WaitForProcess(system, ui, process);
    const double returned = Seconds(CLOCK_REALTIME);
    zuba::actions::CloseProcessHandle(system, process);
    double ended = 0;
    std::ifstream(machine.HostPath("drive_c/ended.txt")) >> ended;
    return returned - ended;
  });
}
BENCHMARK(BM_WaitForProcess5s)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ControlPanelDialogWait5s(benchmark::State& state) {
  TempMachine machine;
  machine.machine().config->Set("NetworkPanel", "OpenAfter", "5000");
  machine.machine().config->Set("NetworkPanel", "CloseAfter", "0");
  ScriptedUiServices ui;
  zuba::toolkit::MenuItem pmOpt3;
  Measure(state, [&] {
    zuba::actions::RunNetworkControlPanel(machine.system(), machine.files(), ui,
                                          [&] { return pmOpt3.Checked(); });
    // desktop.log: "panel 1 START ..." then "key TIME ...": the Return was
    // posted the reaction after the dialog showed at START + 5000.
    std::ifstream log(machine.HostPath("desktop.log"));
    std::string tag;
    long long run = 0, started = 0, key = 0;
    log >> tag >> run >> started;
    log.ignore(1000, '\n');
    log >> tag >> key;
    return (key - (started + 5000)) / 1000.0;
  });
}
BENCHMARK(BM_ControlPanelDialogWait5s)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_WaitProcessingMessages5s(benchmark::State& state) {
  TempMachine machine;
  ScriptedUiServices ui;
  Measure(state, [&] {
    const double start = Seconds(CLOCK_REALTIME);
    zuba::system::WaitProcessingMessages(ui, machine.system(), 5000);
    return Seconds(CLOCK_REALTIME) - (start + 5.0);  // past its end
  });
}
BENCHMARK(BM_WaitProcessingMessages5s)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
