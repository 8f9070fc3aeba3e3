// The settings file at scale: 1,000 settings of 20 keys each, with their
// adapter entries and a stored list, on a simulated machine.
//
// The simulated profiles re-read and re-parse a file on every call for two
// seconds after it last changed (its time stamps cannot tell two changes
// apart within that time), and keep the parsed file afterwards. Reads are
// therefore measured on a settled file and right after a write; the
// BM_Sim... figures show what one such re-read and one write cost.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "core/IniGT.h"
#include "core/RegType.h"
#include "core/SettingsFile.h"
#include "platform/sim/IniText.h"
#include "testing/TempMachine.h"
#include "BenchMachines.h"

namespace zuba {
namespace {

constexpr int kSettings = 1000;
constexpr int kKeysPerSetting = 20;

std::string SettingName(int i) { return bench::BenchSettingName(i); }

// One machine with the large settings file, made once for all benchmarks.
struct LargeSettingsFile {
  LargeSettingsFile() : ini(machine.profiles(), machine.files()), file(ini, machine.files()) {
    ini.Loaded();
    core::InitRegList(setting, false, machine.system());
    for (int k = 0; k < kKeysPerSetting; ++k) {
      setting[k].Value = setting[k].Vtype == 's' ? "192.168.100." + std::to_string(k) : "1";
      setting[k].IsSet = true;
    }
    text = bench::LargeSettingsText(setting, kSettings, kKeysPerSetting);
    machine.files().WriteBytes(ini.Path(), text);
  }

  // Waits until the file has not changed for longer than the simulation's
  // two seconds, then reads once so that the parsed file is kept.
  void Settle() {
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    ini.ReadText(SettingName(0), "ip", "");
  }

  testing::TempMachine machine;
  core::TIniGT ini;
  core::SettingsFile file;
  core::TRegList setting;
  std::string text;
};

LargeSettingsFile& Large() {
  static LargeSettingsFile* large = new LargeSettingsFile();
  return *large;
}

// A recall's reads: the section's key names, then each key's text.
void ReadOneSetting(benchmark::State& state, core::TIniGT& ini) {
  const std::string name = SettingName(kSettings / 2);
  std::vector<std::string> keys;
  ini.ReadKeyNames(name, &keys);
  for (const std::string& key : keys) benchmark::DoNotOptimize(ini.ReadText(name, key, ""));
  if (keys.size() != kKeysPerSetting) state.SkipWithError("wrong key count");
}

// The list as start-up rebuilds it from the section headers.
void BM_RebuildSettingList(benchmark::State& state) {
  LargeSettingsFile& large = Large();
  for (auto _ : state) {
    std::vector<std::string> names = large.file.RebuildSettingList();
    if (names.size() != kSettings) state.SkipWithError("wrong list");
    benchmark::DoNotOptimize(names);
  }
}
BENCHMARK(BM_RebuildSettingList)->Unit(benchmark::kMillisecond);

void BM_ReadSettingKeys(benchmark::State& state) {
  LargeSettingsFile& large = Large();
  large.Settle();
  for (auto _ : state) ReadOneSetting(state, large.ini);
}
BENCHMARK(BM_ReadSettingKeys)->Unit(benchmark::kMillisecond)->Iterations(200);

// The same reads right after another write to the file (the recall that
// follows a save).
void BM_ReadSettingKeysJustWritten(benchmark::State& state) {
  LargeSettingsFile& large = Large();
  int n = 0;
  for (auto _ : state) {
    state.PauseTiming();
    large.ini.WriteNumber(core::kInitializeSection, "Bench", ++n);
    state.ResumeTiming();
    ReadOneSetting(state, large.ini);
  }
}
BENCHMARK(BM_ReadSettingKeysJustWritten)->Unit(benchmark::kMillisecond);

// Writing one setting's section anew: the section removed, its 20 keys written.
void BM_WriteSetting(benchmark::State& state) {
  LargeSettingsFile& large = Large();
  const std::string name = SettingName(kSettings / 2);
  for (auto _ : state) {
    large.file.DeleteSetting(name);
    large.file.SaveSetting(name, large.setting);
  }
}
BENCHMARK(BM_WriteSetting)->Unit(benchmark::kMillisecond);

// The rest of a replacing save: the adapter entry removed and written
// again, and the whole stored list of 1,000 names rewritten.
void BM_SaveBookkeeping(benchmark::State& state) {
  LargeSettingsFile& large = Large();
  const std::string name = SettingName(kSettings / 2);
  const std::vector<std::string> names = large.file.ReadSettingList();
  for (auto _ : state) {
    large.file.RemoveAdapterEntry(name);
    large.file.WriteAdapter(name, "0000");
    large.file.WriteSettingList(names);
  }
}
BENCHMARK(BM_SaveBookkeeping)->Unit(benchmark::kMillisecond)->Iterations(2);

// --- What one platform call costs on a file that just changed -------------

void BM_SimReadWholeFile(benchmark::State& state) {
  LargeSettingsFile& large = Large();
  std::string content;
  for (auto _ : state) large.machine.files().ReadBytes(large.ini.Path(), &content);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(content.size()));
}
BENCHMARK(BM_SimReadWholeFile)->Unit(benchmark::kMillisecond);

void BM_SimParseWholeFile(benchmark::State& state) {
  LargeSettingsFile& large = Large();
  for (auto _ : state) {
    platform::sim::IniText parsed(large.text);
    benchmark::DoNotOptimize(parsed.content().size());
  }
}
BENCHMARK(BM_SimParseWholeFile)->Unit(benchmark::kMillisecond);

void BM_SimWriteWholeFile(benchmark::State& state) {
  LargeSettingsFile& large = Large();
  const std::string path = "C:\\ZUBANET\\COPY.INI";
  for (auto _ : state) large.machine.files().WriteBytes(path, large.text);
}
BENCHMARK(BM_SimWriteWholeFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zuba
