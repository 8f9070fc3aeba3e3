// Saving, replacing and deleting one setting in a settings file of 1,000
// and of 10,000 settings (20 keys each, with their adapter entries and the
// sorted list), on a simulated machine: the file work of the main window's
// save, replace and delete, the recall that ends a save included. The file
// has just been written each time, so every read finds it changed within
// the last two seconds and reads it again (the worst case of the
// simulation's cache).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/IniGT.h"
#include "core/RegType.h"
#include "core/SettingsFile.h"
#include "testing/TempMachine.h"

namespace zuba {
namespace {

constexpr int kKeysPerSetting = 20;

std::string SettingName(int i) { return "Setting" + std::to_string(100000 + i); }

struct LargeFile {
  explicit LargeFile(int count)
      : count(count), ini(machine.profiles(), machine.files()), file(ini, machine.files()) {
    ini.Loaded();
    core::InitRegList(setting, false, machine.system());
    for (int k = 0; k < kKeysPerSetting; ++k) {
      setting[k].Value = setting[k].Vtype == 's' ? "192.168.100." + std::to_string(k) : "1";
      setting[k].IsSet = true;
    }
    std::string text = "[Initialize]\r\nOpt1=1\r\nPrevious=" + SettingName(0) + "\r\n";
    text += "[SETTINGLIST]\r\nSETTINGS.Count=" + std::to_string(count) + "\r\n";
    for (int i = 0; i < count; ++i) {
      names.push_back(SettingName(i));
      text += "SETTINGS." + std::to_string(i) + "=" + names.back() + "\r\n";
    }
    text += "[NIC_registry_list]\r\n";
    for (int i = 0; i < count; ++i) text += SettingName(i) + "=0000\r\n";
    for (int i = 0; i < count; ++i) {
      text += "[" + SettingName(i) + "]\r\n";
      for (int k = 0; k < kKeysPerSetting; ++k) {
        text += setting[k].KeyCode + "=" + setting[k].Value + "\r\n";
      }
    }
    machine.files().WriteBytes(ini.Path(), text);
  }

  // A name that sorts into the middle of the list.
  std::string MiddleName() const { return SettingName(count / 2) + "a"; }

  void Insert(const std::string& name) {
    names.insert(std::upper_bound(names.begin(), names.end(), name), name);
  }
  void Remove(const std::string& name) {
    names.erase(std::find(names.begin(), names.end(), name));
  }

  // What the return to view mode reads: the setting's keys and its adapter.
  void Recall(const std::string& name) {
    core::TRegList recalled;
    core::InitRegList(recalled, false, machine.system());
    file.RecallSetting(name, &recalled);
    benchmark::DoNotOptimize(file.ReadAdapter(name));
  }

  // The file work of a save: a replace first removes the old section and
  // its adapter entry.
  void Save(const std::string& name, benchmark::State& state, bool replacing) {
    if (file.SettingExists(name) != replacing) state.SkipWithError("unexpected state");
    if (replacing) {
      file.DeleteSetting(name);
      file.RemoveAdapterEntry(name);
      Remove(name);
    }
    file.SaveSetting(name, setting);
    file.WriteAdapter(name, "0000");
    Insert(name);
    file.WriteSettingList(names);
    file.Flush();
    Recall(name);
  }

  void Delete(const std::string& name) {
    file.RemoveAdapterEntry(name);
    file.DeleteSetting(name);
    Remove(name);
    file.WriteSettingList(names);
    file.Flush();
  }

  testing::TempMachine machine;
  int count;
  core::TIniGT ini;
  core::SettingsFile file;
  core::TRegList setting;
  std::vector<std::string> names;
};

LargeFile& Large(int count) {
  static std::map<int, std::unique_ptr<LargeFile>> files;
  auto& made = files[count];
  if (!made) made = std::make_unique<LargeFile>(count);
  return *made;
}

void BM_SaveNewSetting(benchmark::State& state) {
  LargeFile& large = Large(static_cast<int>(state.range(0)));
  const std::string name = large.MiddleName();
  for (auto _ : state) {
    large.Save(name, state, false);
    state.PauseTiming();
    large.Delete(name);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SaveNewSetting)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReplaceSetting(benchmark::State& state) {
  LargeFile& large = Large(static_cast<int>(state.range(0)));
  const std::string name = SettingName(large.count / 2);
  for (auto _ : state) large.Save(name, state, true);
}
BENCHMARK(BM_ReplaceSetting)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_DeleteSetting(benchmark::State& state) {
  LargeFile& large = Large(static_cast<int>(state.range(0)));
  const std::string name = large.MiddleName();
  for (auto _ : state) {
    state.PauseTiming();
    large.Save(name, state, false);
    state.ResumeTiming();
    large.Delete(name);
  }
}
BENCHMARK(BM_DeleteSetting)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zuba
