// A full Setting shown in the main window and captured back: every group
// set, 50 gateways and 50 DNS servers, on the template machine. The
// settings file is settled first, so the adapter look-up reads the kept
// parsed file as it does in a running program.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <thread>

#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/ScriptedUiServices.h"
#include "ui/FCheck.h"
#include "ui/FExtract.h"
#include "ui/mainform.h"

namespace zuba {
namespace {

using namespace core;

std::string Addresses(int count, int net) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += ',';
    text += "10." + std::to_string(net) + "." + std::to_string(i) + ".1";
  }
  return text;
}

void BM_ShowAndCaptureFullSetting(benchmark::State& state) {
  testing::TempMachine machine;
  toolkit::ScriptedUiServices ui;
  toolkit::Application app(ui);
  ui::TForm1& form = app.CreateForm<ui::TForm1>(machine.registry(), machine.files(),
                                                machine.profiles(), machine.system());
  form.BtConfig.Click();
  form.CbSetting.SetItemIndex(form.CbSetting.AddItem("Office"));
  form.Settings.WriteAdapter("Office", "0000");
  std::this_thread::sleep_for(std::chrono::milliseconds(2100));
  form.Settings.ReadAdapter("Office");

  TRegList setting;
  InitRegList(setting, false, machine.system());
  const std::pair<int, std::string> values[] = {{kIp, "192.168.1.10"},
                                                {kGw, Addresses(50, 1)},
                                                {kMs, "255.255.255.0"},
                                                {kDe, "1"},
                                                {kDh, "host"},
                                                {kDd, "example.jp"},
                                                {kDi, Addresses(50, 2)},
                                                {kDs, "a.example,b.example"},
                                                {kWg, "WORKGROUP"},
                                                {kLc, "PC01"},
                                                {kCc, "comment"},
                                                {kFs, "Yes"},
                                                {kPs, "No"},
                                                {kLi, "user"},
                                                {kLd, "NTDOM"},
                                                {kWp, "10.0.0.2"},
                                                {kWs, "10.0.0.3"},
                                                {kNt, "8"},
                                                {kWi, "scope"},
                                                {kLo, "1"},
                                                {kHh, "C:\\WINDOWS\\hosts.office"},
                                                {kHl, "C:\\WINDOWS\\lmhosts.office"},
                                                {kEe, "C:\\WINDOWS\\NOTEPAD.EXE"},
                                                {kEo, "/p"},
                                                {kPe, "1"},
                                                {kPv, "proxy.example:8080"},
                                                {kPa, "http://auto/"},
                                                {kCp, "1"},
                                                {kPf, "ソフト開発部"},
                                                {kPc, "1"},
                                                {kPd, "0"},
                                                {kTl, "会社"},
                                                {kPr, "レーザー プリンタ"}};
  for (const auto& [index, value] : values) {
    setting[index].Value = value;
    setting[index].IsSet = true;
  }

  TRegList captured;
  std::string message;
  for (auto _ : state) {
    TRegList shown = setting;
    ui::ShowSetting(form, shown, ui::BindingForm::kFull);
    if (!ui::CaptureSetting(form, captured, message, false)) state.SkipWithError(message.c_str());
    benchmark::DoNotOptimize(captured);
  }
}
BENCHMARK(BM_ShowAndCaptureFullSetting)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zuba
