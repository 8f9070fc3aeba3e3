// What the main window's extras cost when it is created: the dial-up
// component reading its connection and location lists (from the registry of
// Windows 98, from telephon.ini of Windows 95, and from a telephon.ini whose
// count is damaged to the largest 32-bit number), and the printer list
// filled from a win.ini with 200 printers.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <thread>

#include "ui/PrComboBox.h"
#include "ui/ZubaPPP.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba {
namespace {

using platform::sim::OsKind;

// A machine whose files have settled: a file changed within the last two
// seconds is parsed again on every read, as its time stamp cannot yet tell.
class ExtrasMachine {
 public:
  ExtrasMachine(OsKind os, const std::string& telephonCount) : machine_(os) {
    if (!telephonCount.empty()) {
      machine_.files().WriteBytes("C:\\WINDOWS\\TELEPHON.INI",
                                  "[Locations]\r\nCurrentLocation=0,0\r\nLocations=" +
                                      telephonCount + "\r\nLocation0=1,\"A\"\r\n");
    }
    std::string winIni = "[windows]\r\ndevice=P0,DRV,LPT1:\r\n[devices]\r\n";
    for (int i = 0; i < 200; ++i) winIni += "P" + std::to_string(i) + "=DRV,LPT1:\r\n";
    machine_.files().WriteBytes("C:\\WINDOWS\\WIN.INI", winIni);
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
  }
  testing::TempMachine& machine() { return machine_; }

 private:
  testing::TempMachine machine_;
};

void CreateDialUp(benchmark::State& state, ExtrasMachine& extras) {
  testing::TempMachine& machine = extras.machine();
  for (auto _ : state) {
    ui::TZubaPPP ppp(machine.registry(), machine.profiles(), machine.files(),
                          machine.system());
    benchmark::DoNotOptimize(ppp.LocationNames().size());
  }
}

void BM_DialUpListsFromTheRegistry(benchmark::State& state) {
  static ExtrasMachine extras(OsKind::kWin98, "");
  CreateDialUp(state, extras);
}
BENCHMARK(BM_DialUpListsFromTheRegistry)->Unit(benchmark::kMicrosecond);

void BM_DialUpListsFromTelephonIni(benchmark::State& state) {
  static ExtrasMachine extras(OsKind::kWin95, "1,4");
  CreateDialUp(state, extras);
}
BENCHMARK(BM_DialUpListsFromTelephonIni)->Unit(benchmark::kMicrosecond);

void BM_DialUpListsFromADamagedCount(benchmark::State& state) {
  static ExtrasMachine extras(OsKind::kWin95, "1,2147483647");
  CreateDialUp(state, extras);
}
BENCHMARK(BM_DialUpListsFromADamagedCount)->Unit(benchmark::kMicrosecond);

void BM_FillTwoHundredPrinters(benchmark::State& state) {
  static ExtrasMachine extras(OsKind::kWin98, "");
  testing::TempMachine& machine = extras.machine();
  toolkit::ScriptedUiServices ui;
  toolkit::Application app(ui);
  toolkit::Form& form = app.CreateForm<toolkit::Form>();
  auto& box = form.Add<ui::TPrComboBox>("pcbPr", machine.profiles(), machine.registry(),
                                             machine.files(), machine.system());
  for (auto _ : state) {
    box.FillPrinters();
    benchmark::DoNotOptimize(box.ItemCount());
  }
}
BENCHMARK(BM_FillTwoHundredPrinters)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zuba
