// The boot-time switch: the maker writing the boot menu for 20 settings
// (the menu batch file, the call line in autoexec.bat after its backup, 20
// registry scripts), and the machine's real-mode start running that menu
// with a key chosen and importing the chosen script into the registry.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/sim/DosBatch.h"
#include "platform/sim/RealModeHost.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/ScriptedUiServices.h"
#include "ui/ZubaSel.h"
#include "ui/ZubaSelFiles.h"

namespace zuba {
namespace {

constexpr int kSettings = 20;

void WriteSettingList(testing::TempMachine& machine) {
  std::string text = "[SETTINGLIST]\r\nSETTINGS.Count=" + std::to_string(kSettings) + "\r\n";
  for (int i = 0; i < kSettings; ++i) {
    text += "SETTINGS." + std::to_string(i) + "=Setting number " + std::to_string(i) + "\r\n";
  }
  machine.files().WriteBytes("C:\\ZUBANET\\ZUBANET.INI", text);
}

void BM_MakeTheBootMenuFor20Settings(benchmark::State& state) {
  testing::TempMachine machine;
  WriteSettingList(machine);
  toolkit::ScriptedUiServices ui;
  toolkit::Application app(ui);
  app.CreateForm<toolkit::Form>();
  auto& dialog = app.CreateForm<ui::TfmZbSel>(machine.registry(), machine.files(),
                                              machine.profiles(), machine.system(), "");
  dialog.AutoexecDir = "C:\\";
  dialog.ProgramDir = "C:\\ZUBANET\\";
  std::string autoexec;
  machine.files().ReadBytes("C:\\AUTOEXEC.BAT", &autoexec);
  for (auto _ : state) {
    state.PauseTiming();
    machine.files().WriteBytes("C:\\AUTOEXEC.BAT", autoexec);  // the call line goes in each time
    state.ResumeTiming();
    dialog.bt1Click(dialog);
  }
}
BENCHMARK(BM_MakeTheBootMenuFor20Settings)->Unit(benchmark::kMillisecond);

void BM_BootThroughTheMenuAndImportOneScript(benchmark::State& state) {
  testing::TempMachine machine;
  std::vector<std::string> names;
  for (int i = 0; i < kSettings; ++i) names.push_back("Setting number " + std::to_string(i));
  ui::MakeSwitchBatch(machine.files(), "C:\\ZUBANET\\", names);
  ui::MakeRegFiles(machine.files(), "C:\\ZUBANET\\", names, true);
  ui::AddAutoexecCall(machine.files(), "C:\\", "C:\\ZUBANET\\");
  platform::sim::RealModeHost host(machine.files(), machine.registry(), machine.system());
  platform::sim::DosBatchOptions options;
  options.choiceKey = 'B';
  options.environment = {{"PATH", "C:\\WINDOWS;C:\\WINDOWS\\COMMAND"}};
  for (auto _ : state) {
    auto result = platform::sim::RunDosBatch(host, "C:\\AUTOEXEC.BAT", options);
    if (result.errorLevel != 0 || result.screen.size() < kSettings) {
      state.SkipWithError("no import");
    }
  }
}
BENCHMARK(BM_BootThroughTheMenuAndImportOneScript)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zuba
