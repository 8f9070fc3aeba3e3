// The settings file at scale: 1,000 settings of 20 keys each, with their
// adapter entries and a stored list, on a simulated machine.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "core/IniGT.h"
#include "core/RegType.h"
#include "core/SettingsFile.h"
#include "testing/TempMachine.h"

namespace zuba {
namespace {

constexpr int kSettings = 1000;
constexpr int kKeysPerSetting = 20;

std::string SettingName(int i) { return "Setting" + std::to_string(1000 + i); }

// One machine with the large settings file, made once for all benchmarks.
struct LargeSettingsFile {
  LargeSettingsFile() : ini(machine.profiles(), machine.files()), file(ini, machine.files()) {
    ini.Loaded();
    core::InitRegList(setting, false, machine.system());
    for (int k = 0; k < kKeysPerSetting; ++k) {
      setting[k].Value = setting[k].Vtype == 's' ? "192.168.100." + std::to_string(k) : "1";
      setting[k].IsSet = true;
    }
    std::string text = "[Initialize]\r\nOpt1=1\r\nPrevious=" + SettingName(0) + "\r\n";
    text += "[SETTINGLIST]\r\nSETTINGS.Count=" + std::to_string(kSettings) + "\r\n";
    for (int i = 0; i < kSettings; ++i) {
      text += "SETTINGS." + std::to_string(i) + "=" + SettingName(i) + "\r\n";
    }
    text += "[NIC_registry_list]\r\n";
    for (int i = 0; i < kSettings; ++i) text += SettingName(i) + "=0000\r\n";
    for (int i = 0; i < kSettings; ++i) {
      text += "[" + SettingName(i) + "]\r\n";
      for (int k = 0; k < kKeysPerSetting; ++k) {
        text += setting[k].KeyCode + "=" + setting[k].Value + "\r\n";
      }
    }
    machine.files().WriteBytes(ini.Path(), text);
  }

  testing::TempMachine machine;
  core::TIniGT ini;
  core::SettingsFile file;
  core::TRegList setting;
};

LargeSettingsFile& Large() {
  static LargeSettingsFile* large = new LargeSettingsFile();
  return *large;
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

// A recall's reads: the section's key names, then each key's text.
void BM_ReadSettingKeys(benchmark::State& state) {
  LargeSettingsFile& large = Large();
  const std::string name = SettingName(kSettings / 2);
  for (auto _ : state) {
    std::vector<std::string> keys;
    large.ini.ReadKeyNames(name, &keys);
    for (const std::string& key : keys) benchmark::DoNotOptimize(large.ini.ReadText(name, key, ""));
    if (keys.size() != kKeysPerSetting) state.SkipWithError("wrong key count");
  }
}
BENCHMARK(BM_ReadSettingKeys)->Unit(benchmark::kMillisecond);

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

// The rest of a replacing save around it: the adapter entry removed and
// written again, and the whole stored list rewritten.
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
BENCHMARK(BM_SaveBookkeeping)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace zuba
