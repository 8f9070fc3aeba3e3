// Saving, replacing and deleting one setting through the main window, in a
// settings file of 1,000 and of 10,000 settings (20 keys each, with their
// adapter entries and the list), on a simulated machine: the whole handler
// (capture, the file's writes, the list, the recall that ends a save). The
// file has just been written each time, so every read finds it changed
// within the last two seconds and reads it again (the worst case of the
// simulation's cache). The warnings at save are off, except in
// BM_SaveNewSettingWarned: there every setting of the file has the address
// and the adapter of the one saved, the worst case of their reads.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <string>

#include "BenchMachines.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/ScriptedUiServices.h"
#include "ui/mainform.h"

namespace zuba {
namespace {

using toolkit::MessageResult;

constexpr int kKeysPerSetting = 20;

// Items 0 to 19 (ip ... lo) as a save of a TCP/IP, DNS and workgroup
// setting writes them.
core::TRegList BenchSetting(platform::System& system) {
  core::TRegList setting;
  core::InitRegList(setting, false, system);
  const char* values[kKeysPerSetting] = {
      "192.168.100.10", "192.168.100.1", "255.255.255.0", "1", "bench", "example.co.jp",
      "192.168.100.2,192.168.100.3", "example.co.jp", "WORKGROUP", "BENCH", "", "Yes", "No",
      "taro", "ZUBADOM", "192.168.100.2", "192.168.100.3", "8", "", "1"};
  for (int k = 0; k < kKeysPerSetting; ++k) setting[k].Value = values[k];
  return setting;
}

// The main window on a machine whose settings file holds `count` settings.
struct WindowOnLargeFile {
  WindowOnLargeFile(int count, bool warned) : count(count) {
    std::string text =
        bench::LargeSettingsText(BenchSetting(machine.system()), count, kKeysPerSetting);
    text.replace(0, text.find("Previous="),
                 std::string("[Initialize]\r\nOpt1=0\r\nIniConvert=1\r\nSaveWarnings=") +
                     (warned ? "1" : "0") + "\r\n");
    machine.files().WriteBytes("C:\\ZUBANET\\ZUBANET.INI", text);
    app.SetTitle("ZubaNet");
    form = &app.CreateForm<ui::TForm1>(machine.registry(), machine.files(), machine.profiles(),
                                       machine.system());
  }

  // Edit mode with the name field holding `name` (paused work).
  void Edit(const std::string& name) {
    ui.ClearRecords();
    form->BtConfig.Click();
    form->EdNm.SetText(name);
  }
  // `name` saved and selected in view mode (paused work).
  bool Saved(const std::string& name) const {
    return form->PnOpr.Visible() && form->CbSetting.ItemIndex() >= 0 &&
           form->CbSetting.Item(form->CbSetting.ItemIndex()) == name && ui.Messages().empty();
  }

  testing::TempMachine machine;
  int count;
  toolkit::ScriptedUiServices ui;
  toolkit::Application app{ui};
  ui::TForm1* form = nullptr;
};

WindowOnLargeFile& Window(int count, bool warned = false) {
  static std::map<std::pair<int, bool>, std::unique_ptr<WindowOnLargeFile>> windows;
  auto& made = windows[{count, warned}];
  if (!made) made = std::make_unique<WindowOnLargeFile>(count, warned);
  return *made;
}

// A new name that sorts into the middle of the list.
std::string NewName(const WindowOnLargeFile& w) { return bench::BenchSettingName(w.count / 2) + "a"; }

void DeleteSelected(WindowOnLargeFile& w) {
  w.form->BtConfig.Click();
  w.ui.QueueAnswer(MessageResult::kOk);
  w.form->BtDelete.Click();
  w.form->BbCan.Click();
}

void BM_SaveNewSetting(benchmark::State& state) {
  WindowOnLargeFile& w = Window(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    w.Edit(NewName(w));
    state.ResumeTiming();
    w.form->BbOk.Click();
    state.PauseTiming();
    if (!w.Saved(NewName(w))) {
      state.SkipWithError("not saved");
      break;
    }
    DeleteSelected(w);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SaveNewSetting)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// As BM_SaveNewSetting, with the warnings on: every other setting's adapter
// entry and address are read, and the box (answered Yes) names them.
void BM_SaveNewSettingWarned(benchmark::State& state) {
  WindowOnLargeFile& w = Window(static_cast<int>(state.range(0)), true);
  for (auto _ : state) {
    state.PauseTiming();
    w.Edit(NewName(w));
    w.ui.QueueAnswer(MessageResult::kYes);
    state.ResumeTiming();
    w.form->BbOk.Click();
    state.PauseTiming();
    const bool warned = w.ui.Messages().size() == 1;
    w.ui.ClearRecords();
    if (!warned || !w.Saved(NewName(w))) {
      state.SkipWithError("not warned and saved");
      break;
    }
    DeleteSelected(w);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SaveNewSettingWarned)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReplaceSetting(benchmark::State& state) {
  WindowOnLargeFile& w = Window(static_cast<int>(state.range(0)));
  const std::string name = bench::BenchSettingName(w.count / 2);
  for (auto _ : state) {
    state.PauseTiming();
    w.Edit(name);
    w.ui.QueueAnswer(MessageResult::kOk);
    state.ResumeTiming();
    w.form->BbOk.Click();
    state.PauseTiming();
    if (!w.form->PnOpr.Visible() || w.ui.Messages().size() != 1) {
      state.SkipWithError("not saved");
      break;
    }
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ReplaceSetting)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_DeleteSetting(benchmark::State& state) {
  WindowOnLargeFile& w = Window(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    w.Edit(NewName(w));
    w.form->BbOk.Click();
    if (!w.Saved(NewName(w))) {
      state.SkipWithError("not saved");
      break;
    }
    w.form->BtConfig.Click();
    w.ui.QueueAnswer(MessageResult::kOk);
    state.ResumeTiming();
    w.form->BtDelete.Click();
    state.PauseTiming();
    if (w.form->CbSetting.IndexOf(NewName(w)) >= 0) {
      state.SkipWithError("not deleted");
      break;
    }
    w.form->BbCan.Click();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DeleteSetting)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zuba
