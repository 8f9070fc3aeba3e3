// The trial apply's confirmation and where the machine stands.
//
// BM_TrialReadBack: what the confirmation does before it asks, on the
// template machine after a trial apply of a setting with every group:
// reading the journal and comparing every value, key and file it wrote
// with the machine (SwitchJournal::DifferencesSince).
//
// BM_StandingOfThousand: the option menu's "現在の状態を確認..." (and /S) on
// a settings file of 1,000 settings (20 keys each): each setting recalled,
// its apply planned without writing anything and compared with the
// machine, then the last apply's differences. The report goes to the
// scripted services.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "BenchMachines.h"
#include "switch/SwitchJournal.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/ScriptedUiServices.h"
#include "ui/mainform.h"

namespace zuba {
namespace {

constexpr char kSettingsFile[] = "C:\\ZUBANET\\ZUBANET.INI";
constexpr char kJournal[] = "C:\\ZUBANET\\ZUBANET.JNL";

switching::ApplyRequest EveryGroup(platform::System& system) {
  const std::pair<int, std::string> values[] = {
      {core::kIp, "10.0.0.5"},  {core::kGw, "10.0.0.1"},  {core::kMs, "255.255.255.0"},
      {core::kDe, "1"},         {core::kDh, "host"},      {core::kDd, "corp.example"},
      {core::kDi, "10.0.0.53"}, {core::kDs, "corp.example"}, {core::kWg, "GROUP"},
      {core::kLc, "PC"},        {core::kCc, "端末"},       {core::kFs, "Yes"},
      {core::kPs, "No"},        {core::kLi, "user"},      {core::kLd, "DOM"},
      {core::kWp, "10.0.0.6"},  {core::kWs, "10.0.2.6"},  {core::kNt, "8"},
      {core::kWi, "scope"},     {core::kPe, "1"},         {core::kPv, "proxy:8080"},
      {core::kPf, "ソフト開発部"}, {core::kPc, "1"},        {core::kPd, "0"},
      {core::kTl, "会社"}};
  switching::ApplyRequest request;
  request.settingName = "Office";
  request.settingsFile = kSettingsFile;
  core::InitRegList(request.setting, false, system);
  for (const auto& [index, value] : values) {
    request.setting[index].Value = value;
    request.setting[index].IsSet = true;
  }
  request.changeLogon = true;
  request.logonChoice = 1;
  request.hosts = {"C:\\WINDOWS\\hosts.office", "C:\\WINDOWS\\hosts", true};
  request.lmhosts = {"C:\\WINDOWS\\lmhosts.office", "C:\\WINDOWS\\lmhosts", false};
  request.printer = "カラー プリンタ";
  return request;
}

void BM_TrialReadBack(benchmark::State& state) {
  testing::TempMachine machine;
  toolkit::ScriptedUiServices ui;
  machine.profiles().WriteString("NIC_registry_list", "Office", "0000", kSettingsFile);
  switching::SwitchJournal journal(machine.machine().Services(), ui, kJournal);
  journal.Apply(EveryGroup(machine.system()), true);
  std::size_t changes = 0, differences = 0;
  for (auto _ : state) {
    switching::SwitchJournal reader(machine.machine().Services(), ui, kJournal);
    journal::Journal trial;
    reader.Load(&trial);
    changes = trial.changes.size();
    differences = reader.DifferencesSince(trial).size();
    benchmark::DoNotOptimize(differences);
  }
  state.counters["changes"] = static_cast<double>(changes);
  state.counters["differences"] = static_cast<double>(differences);
}
BENCHMARK(BM_TrialReadBack)->Unit(benchmark::kMillisecond);

core::TRegList BenchSetting(platform::System& system) {
  core::TRegList setting;
  core::InitRegList(setting, false, system);
  const char* values[20] = {
      "192.168.100.10", "192.168.100.1", "255.255.255.0", "1", "bench", "example.co.jp",
      "192.168.100.2,192.168.100.3", "example.co.jp", "WORKGROUP", "BENCH", "", "Yes", "No",
      "taro", "ZUBADOM", "192.168.100.2", "192.168.100.3", "8", "", "1"};
  for (int k = 0; k < 20; ++k) setting[k].Value = values[k];
  return setting;
}

void BM_StandingOfThousand(benchmark::State& state) {
  testing::TempMachine machine;
  std::string text = bench::LargeSettingsText(BenchSetting(machine.system()), 1000, 20);
  text.replace(0, text.find("Previous="), "[Initialize]\r\nOpt1=0\r\nIniConvert=1\r\n");
  machine.files().WriteBytes(kSettingsFile, text);
  toolkit::ScriptedUiServices ui;
  toolkit::Application app{ui};
  app.SetTitle("ZubaNet");
  auto& form = app.CreateForm<ui::TForm1>(machine.registry(), machine.files(), machine.profiles(),
                                          machine.system());
  form.CbSetting.SetItemIndex(0);
  form.BtApply.Click();  // the first setting applied: the journal's last apply
  form.Show();
  std::size_t settings = 0;
  for (auto _ : state) {
    ui.ClearRecords();
    form.ShowStanding();
    settings = static_cast<std::size_t>(form.CbSetting.ItemCount());
  }
  state.counters["settings"] = static_cast<double>(settings);
}
BENCHMARK(BM_StandingOfThousand)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zuba
