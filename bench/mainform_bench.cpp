// The main window: from opening the machine to the end of the first show,
// headless (what zubanet does before its message loop), on the template
// machine and on a machine with a crowded registry and a large settings
// file; the whole zubanet process on the template machine; entering and
// leaving edit mode.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <memory>
#include <thread>

#include "BenchMachines.h"
#include "app/zubanet/Program.h"
#include "platform/sim/RegeditFile.h"
#include "testing/TempMachine.h"
#include "toolkit/ScriptedUiServices.h"

extern char** environ;

namespace zuba {
namespace {

// Opens the machine, starts the program on it and ends with the first show.
void FirstShow(benchmark::State& state, const std::string& directory) {
  for (auto _ : state) {
    std::unique_ptr<platform::sim::Machine> machine = platform::sim::OpenSimulatedMachine(directory);
    toolkit::ScriptedUiServices ui;
    toolkit::Application app(ui);
    ui::TForm1* form = app::StartZubaNet(app, machine->Services(), {});
    if (form == nullptr || !form->Visible()) state.SkipWithError("no first show");
    state.PauseTiming();
    machine.reset();  // the application goes first, then the machine
    state.ResumeTiming();
  }
}

void BM_FirstShow_TemplateMachine(benchmark::State& state) {
  testing::TempMachine machine;
  machine.Reopen();
  FirstShow(state, machine.directory());
}
BENCHMARK(BM_FirstShow_TemplateMachine)->Unit(benchmark::kMillisecond);

void BM_FirstShow_20000Keys1000Settings(benchmark::State& state) {
  testing::TempMachine machine;
  int adapters = 0;
  platform::sim::ImportRegedit4(machine.registry(), bench::CrowdedDeviceTree(&adapters),
                                "enum.reg");
  core::TRegList setting;
  core::InitRegList(setting, false, machine.system());
  for (int k = 0; k < 20; ++k) setting[k].Value = "192.168.100." + std::to_string(k);
  machine.files().WriteBytes("C:\\ZUBANET\\ZUBANET.INI",
                             bench::LargeSettingsText(setting, 1000, 20));
  // Files written moments ago are read anew on every call; settle them, as
  // they are when the program starts.
  std::this_thread::sleep_for(std::chrono::milliseconds(2100));
  FirstShow(state, machine.directory());
  state.counters["adapters"] = adapters;
}
BENCHMARK(BM_FirstShow_20000Keys1000Settings)->Unit(benchmark::kMillisecond);

// The zubanet process: start, first show, close (options and position
// written), exit.
void BM_ZubaNetProcess_TemplateMachine(benchmark::State& state) {
  testing::TempMachine machine;
  std::string program = ZUBA_ZUBANET_PATH;
  std::vector<std::string> args = {program, "--machine", machine.directory(), "--headless"};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
      state.SkipWithError("cannot start zubanet");
      break;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("zubanet failed");
  }
}
BENCHMARK(BM_ZubaNetProcess_TemplateMachine)->Unit(benchmark::kMillisecond);

void BM_EnterAndLeaveEditMode(benchmark::State& state) {
  testing::TempMachine machine;
  toolkit::ScriptedUiServices ui;
  toolkit::Application app(ui);
  ui::TForm1* form = app::StartZubaNet(app, machine.services(), {});
  for (auto _ : state) {
    form->BtConfig.Click();
    form->BbCan.Click();
  }
  if (!form->CbSetting.Focused()) state.SkipWithError("not back in view mode");
}
BENCHMARK(BM_EnterAndLeaveEditMode)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zuba
