// The Qt front-end offscreen: showing the WINS dialog for the first time
// (the form built on the model, one widget per control made, the window
// shown and painted) and showing it again once it exists, as the main
// window's WINS button does; the main window rendered at its first show
// (creation on the model included), and its switch to edit mode and back
// on the rendered window (resized, repainted).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include "core/RegType.h"
#include "frontend/qt/FormRenderer.h"
#include "frontend/qt/QtLook.h"
#include "frontend/qt/QtUiServices.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "ui/mainform.h"
#include "ui/winsform.h"

namespace {

using namespace zuba;

QApplication& OffscreenApplication() {
  static int argc = 1;
  static char name[] = "zubanet_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    auto* made = new QApplication(argc, argv);
    qt::UseClassicLook();
    return made;
  }();
  return *app;
}

// Lets Qt do what showing a window leaves to the event loop (layout,
// painting) and deletes what went.
void Settle() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_ShowWinsDialogFirstTime(benchmark::State& state) {
  OffscreenApplication();
  testing::TempMachine machine;
  qt::QtUiServices ui(machine.files());
  core::TRegList setting;
  core::InitRegList(setting, false, machine.system());
  for (auto _ : state) {
    toolkit::Application app(ui);
    app.CreateForm<toolkit::Form>();
    auto& wins = app.CreateForm<ui::TFmWins>(setting, machine.system());
    wins.Show();
    qt::FormRenderer& renderer = ui.Render(wins);
    Settle();
    benchmark::DoNotOptimize(renderer.Window()->isVisible());
    state.PauseTiming();
    wins.Hide();
    state.ResumeTiming();
  }
  Settle();
}
BENCHMARK(BM_ShowWinsDialogFirstTime)->Unit(benchmark::kMillisecond);

void BM_ShowWinsDialogAgain(benchmark::State& state) {
  OffscreenApplication();
  testing::TempMachine machine;
  qt::QtUiServices ui(machine.files());
  toolkit::Application app(ui);
  core::TRegList setting;
  core::InitRegList(setting, false, machine.system());
  app.CreateForm<toolkit::Form>();
  auto& wins = app.CreateForm<ui::TFmWins>(setting, machine.system());
  ui.Render(wins);
  for (auto _ : state) {
    wins.Show();
    Settle();
    state.PauseTiming();
    wins.Hide();
    Settle();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ShowWinsDialogAgain)->Unit(benchmark::kMillisecond);

void BM_ShowMainWindowFirstTime(benchmark::State& state) {
  OffscreenApplication();
  testing::TempMachine machine;
  qt::QtUiServices ui(machine.files());
  for (auto _ : state) {
    toolkit::Application app(ui);
    auto& form = app.CreateForm<ui::TForm1>(machine.registry(), machine.files(),
                                            machine.profiles(), machine.system());
    form.Show();
    qt::FormRenderer& renderer = ui.Render(form);
    Settle();
    benchmark::DoNotOptimize(renderer.Window()->isVisible());
    state.PauseTiming();
    form.Hide();
    state.ResumeTiming();
  }
  Settle();
}
BENCHMARK(BM_ShowMainWindowFirstTime)->Unit(benchmark::kMillisecond);

void BM_EditModeAndBackRendered(benchmark::State& state) {
  OffscreenApplication();
  testing::TempMachine machine;
  qt::QtUiServices ui(machine.files());
  toolkit::Application app(ui);
  auto& form = app.CreateForm<ui::TForm1>(machine.registry(), machine.files(),
                                          machine.profiles(), machine.system());
  form.Show();
  ui.Render(form);
  Settle();
  for (auto _ : state) {
    form.BtConfig.Click();
    Settle();
    form.BbCan.Click();
    Settle();
  }
}
BENCHMARK(BM_EditModeAndBackRendered)->Unit(benchmark::kMillisecond);

}  // namespace
