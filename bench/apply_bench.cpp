// Applying a setting that carries every group the apply writes (registry
// items, DNS, WINS, logon, hosts and lmhosts, printer, dial-up, proxy; no
// application or control panel to wait for), on the template machine and on
// one whose system.reg holds 20,000 more keys. The machine holds its
// registry changes as the program's machine does (RegistryWrites::kAtFlush),
// so one apply's cost does not grow with the hives; the write-out that
// follows (the flush of Opt7, the shut-down or the program's end) is timed
// on its own.
#include <benchmark/benchmark.h>

#include <string>

#include "BenchMachines.h"
#include "platform/sim/RegeditFile.h"
#include "platform/sim/SimRegistry.h"
#include "switch/ApplyFlow.h"
#include "switch/SwitchJournal.h"
#include "testing/TempMachine.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba {
namespace {

using platform::sim::OsKind;
using platform::sim::RegistryWrites;

constexpr char kSettingsFile[] = "C:\\ZUBANET\\ZUBANET.INI";

// 20 buses of 50 devices of 19 instances below HKEY_LOCAL_MACHINE\Enum\Bench,
// three values each: 20,021 keys, 60,000 values.
std::string TwentyThousandKeys() {
  std::string text = "REGEDIT4\r\n\r\n";
  for (int bus = 0; bus < 20; ++bus) {
    const std::string busPath = "HKEY_LOCAL_MACHINE\\Enum\\Bench\\BUS" + std::to_string(bus);
    for (int device = 0; device < 50; ++device) {
      const std::string devicePath = busPath + "\\DEVICE" + std::to_string(device);
      text += "[" + devicePath + "]\r\n\"Class\"=\"System\"\r\n\r\n";
      for (int instance = 0; instance < 19; ++instance) {
        text += "[" + devicePath + "\\" + std::to_string(instance) +
                "]\r\n\"DeviceDesc\"=\"デバイス\"\r\n\"Driver\"=\"System\\\\" +
                std::to_string(instance) + "\"\r\n\"Capabilities\"=dword:00000004\r\n\r\n";
      }
    }
  }
  return text;
}

// The request of a setting with every group; `variant` changes its values
// so that no write finds its value already there.
switching::ApplyRequest FullRequest(platform::System& system, int variant) {
  const std::string n = std::to_string(variant % 200 + 1);
  const std::pair<int, std::string> values[] = {
      {core::kIp, "10.0.0." + n},      {core::kGw, "10.0.0.1,10.0.1." + n},
      {core::kMs, "255.255.255.0"},    {core::kDe, variant % 2 ? "1" : "0"},
      {core::kDh, "host" + n},         {core::kDd, "corp" + n + ".example"},
      {core::kDi, "10.0.0.53"},        {core::kDs, "corp.example"},
      {core::kWg, "GROUP" + n},        {core::kLc, "PC" + n},
      {core::kCc, "端末 " + n},         {core::kFs, "Yes"},
      {core::kPs, "No"},               {core::kLi, "user" + n},
      {core::kLd, "DOM" + n},          {core::kWp, "10.0.0." + n},
      {core::kWs, "10.0.2." + n},      {core::kNt, variant % 3 ? "8" : "1"},
      {core::kWi, "scope" + n},        {core::kPe, variant % 2 ? "1" : "0"},
      {core::kPv, "proxy" + n + ":8080"}, {core::kPa, ""},
      {core::kPf, variant % 2 ? "自宅プロバイダ" : "ソフト開発部"},
      {core::kPc, "1"},                {core::kPd, "0"},
      {core::kTl, variant % 2 ? "自宅" : "会社"}};
  switching::ApplyRequest request;
  request.settingName = "Office";
  request.settingsFile = kSettingsFile;
  core::InitRegList(request.setting, false, system);
  for (const auto& [index, value] : values) {
    request.setting[index].Value = value;
    request.setting[index].IsSet = true;
  }
  request.changeLogon = true;
  request.logonChoice = variant % 2;
  request.hosts = {variant % 2 ? "C:\\WINDOWS\\hosts.office" : "C:\\WINDOWS\\hosts.home",
                   "C:\\WINDOWS\\hosts", true};
  request.lmhosts = {"C:\\WINDOWS\\lmhosts.office", "C:\\WINDOWS\\lmhosts", false};
  request.printer = variant % 2 ? "カラー プリンタ" : "レーザー プリンタ";
  return request;
}

class BenchMachine {
 public:
  // `settings`: that many more settings of 20 keys in the settings file.
  explicit BenchMachine(bool large, int settings = 0)
      : machine_(OsKind::kWin98, RegistryWrites::kAtFlush) {
    if (large) {
      platform::sim::ImportRegedit4(machine_.registry(), TwentyThousandKeys(), "bench.reg");
    }
    if (settings > 0) {
      core::TRegList setting;
      core::InitRegList(setting, false, machine_.system());
      for (int k = 0; k < 20; ++k) setting[k].Value = "192.168.100." + std::to_string(k);
      machine_.files().WriteBytes(kSettingsFile, bench::LargeSettingsText(setting, settings, 20));
    }
    machine_.profiles().WriteString("NIC_registry_list", "Office", "0000", kSettingsFile);
    platform::sim::SaveRegistry(machine_.registry());
  }
  void Apply(const switching::ApplyRequest& request) {
    switching::ApplyFlow({machine_.registry(), machine_.files(), machine_.profiles(), machine_.system()},
                  ui_)
        .Run(request);
  }
  // The apply as the window runs it: planned, journalled, applied.
  void ApplyJournaled(const switching::ApplyRequest& request) { Journal().Apply(request); }
  journal::Journal Preview(const switching::ApplyRequest& request) { return Journal().Plan(request); }
  // The undo of the last apply, as /U runs it.
  void Undo() {
    journal::Journal last;
    if (Journal().Load(&last)) Journal().Undo(last);
  }
  std::size_t JournalBytes() {
    std::string text;
    machine_.files().ReadBytes("C:\\ZUBANET\\ZUBANET.JNL", &text);
    return text.size();
  }
  platform::Registry& registry() { return machine_.registry(); }
  platform::System& system() { return machine_.system(); }

 private:
  switching::SwitchJournal Journal() {
    return switching::SwitchJournal(
        {machine_.registry(), machine_.files(), machine_.profiles(), machine_.system()}, ui_,
        "C:\\ZUBANET\\ZUBANET.JNL");
  }

  testing::TempMachine machine_;
  toolkit::ScriptedUiServices ui_;
};

void ApplyBench(benchmark::State& state, bool large, bool journaled = false) {
  BenchMachine machine(large);
  int variant = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const switching::ApplyRequest request = FullRequest(machine.system(), ++variant);
    state.ResumeTiming();
    if (journaled) {
      machine.ApplyJournaled(request);
    } else {
      machine.Apply(request);
    }
    // What a flush or the program's end writes, outside the apply's figure.
    state.PauseTiming();
    platform::sim::SaveRegistry(machine.registry());
    state.ResumeTiming();
  }
}

void BM_ApplyFullSetting_Template(benchmark::State& state) { ApplyBench(state, false); }
BENCHMARK(BM_ApplyFullSetting_Template)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_ApplyFullSetting_20000Keys(benchmark::State& state) { ApplyBench(state, true); }
BENCHMARK(BM_ApplyFullSetting_20000Keys)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same apply under the switch journal (plan, journal saved before the
// first write and after each, marked done), as the main window runs it.
void BM_ApplyFullSetting_Journaled(benchmark::State& state) { ApplyBench(state, false, true); }
BENCHMARK(BM_ApplyFullSetting_Journaled)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The journalled apply and its undo with 20,000 more keys and a settings
// file of 10,000 settings (3 MB): the journal holds the sections the apply
// changes, so neither it nor the time follows the settings file's size.
void BM_ApplyAndUndo_Journaled_20000Keys10000Settings(benchmark::State& state) {
  BenchMachine machine(true, 10000);
  int variant = 0;
  std::size_t journalBytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const switching::ApplyRequest request = FullRequest(machine.system(), ++variant);
    state.ResumeTiming();
    machine.ApplyJournaled(request);
    state.PauseTiming();
    journalBytes = machine.JournalBytes();
    platform::sim::SaveRegistry(machine.registry());
    state.ResumeTiming();
    machine.Undo();
    state.PauseTiming();
    platform::sim::SaveRegistry(machine.registry());
    state.ResumeTiming();
  }
  state.counters["journal_bytes"] = static_cast<double>(journalBytes);
}
BENCHMARK(BM_ApplyAndUndo_Journaled_20000Keys10000Settings)->Unit(benchmark::kMillisecond);

// The preview of a full setting: the plan alone, nothing written.
void BM_PreviewFullSetting(benchmark::State& state) {
  BenchMachine machine(false);
  int variant = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const switching::ApplyRequest request = FullRequest(machine.system(), ++variant);
    state.ResumeTiming();
    benchmark::DoNotOptimize(machine.Preview(request));
  }
}
BENCHMARK(BM_PreviewFullSetting)->Unit(benchmark::kMillisecond);

// The write-out of one apply's registry changes: both hives, durably.
void WriteOutBench(benchmark::State& state, bool large) {
  BenchMachine machine(large);
  int variant = 0;
  for (auto _ : state) {
    state.PauseTiming();
    machine.Apply(FullRequest(machine.system(), ++variant));
    state.ResumeTiming();
    platform::sim::SaveRegistry(machine.registry());
  }
}

void BM_ApplyWriteOut_Template(benchmark::State& state) { WriteOutBench(state, false); }
BENCHMARK(BM_ApplyWriteOut_Template)->Unit(benchmark::kMillisecond);

void BM_ApplyWriteOut_20000Keys(benchmark::State& state) { WriteOutBench(state, true); }
BENCHMARK(BM_ApplyWriteOut_20000Keys)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zuba
