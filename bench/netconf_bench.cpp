// The network configuration on the simulated machine: adapter discovery on a
// crowded device tree, reading the current configuration of the template
// machine, and writing a whole Setting (items 0 to 18 and the logon change)
// with every write made durable, as the apply flow does.
#include <benchmark/benchmark.h>

#include <string>

#include "core/RegType.h"
#include "platform/sim/RegeditFile.h"
#include "network/ChgDNS.h"
#include "network/ChgLogon.h"
#include "network/ChgWINS.h"
#include "network/CurrentConfig.h"
#include "network/GetRegs.h"
#include "testing/TempMachine.h"
#include "BenchMachines.h"

namespace zuba {
namespace {

void BM_DiscoverAdapters_20000EnumKeys(benchmark::State& state) {
  testing::TempMachine machine;
  int expected = 0;
  platform::sim::ImportRegedit4(machine.registry(), bench::CrowdedDeviceTree(&expected), "enum.reg");
  const system::LeadBytes lead(machine.system());
  system::NameList descriptions, registers;
  for (auto _ : state) {
    network::DiscoverAdapters(machine.registry(), lead, descriptions, registers);
    benchmark::DoNotOptimize(registers);
  }
  if (static_cast<int>(registers.size()) != expected) state.SkipWithError("adapters missed");
  state.counters["adapters"] = static_cast<double>(registers.size());
}
BENCHMARK(BM_DiscoverAdapters_20000EnumKeys)->Unit(benchmark::kMillisecond);

// The components' values as fixed answers: the figure is the reader's own
// registry work (items 0 to 18 and the logon provider search).
class Printer : public network::DefaultPrinterSource {
 public:
  std::string GetDefaultPrinter() override { return "レーザー プリンタ"; }
};
class DialUp : public network::DialUpSource {
 public:
  network::DialUpValues ReadCurrent() override { return {true, false, "自宅プロバイダ", "自宅"}; }
};
class Proxy : public network::ProxySource {
 public:
  network::ProxyValues ReadCurrent() override { return {false, "proxy:8080", ""}; }
};

void BM_ReadCurrentConfig_Template(benchmark::State& state) {
  testing::TempMachine machine;
  Printer printer;
  DialUp dialUp;
  Proxy proxy;
  network::CurrentConfig reader(machine.registry(), machine.system(), printer, dialUp, proxy);
  core::TRegList list;
  for (auto _ : state) {
    reader.ReadCurrentConfig("0000", false, list);
    benchmark::DoNotOptimize(list);
  }
  if (list[core::kIp].Value != "192.168.1.10") state.SkipWithError("wrong address read");
}
BENCHMARK(BM_ReadCurrentConfig_Template)->Unit(benchmark::kMillisecond);

// Items 0 to 18 all set, the logon provider choice and the domain; `variant`
// changes every value so no write finds its value already there.
core::TRegList FullSetting(platform::System& system, int variant) {
  core::TRegList list;
  core::InitRegList(list, false, system);
  const std::string n = std::to_string(variant);
  const std::pair<int, std::string> values[] = {{core::kIp, "10.0.0." + n},
                                                {core::kGw, "10.0.0.1,10.0.1." + n},
                                                {core::kMs, "255.255.255.0"},
                                                {core::kDe, "1"},
                                                {core::kDh, "host" + n},
                                                {core::kDd, "corp" + n + ".example"},
                                                {core::kDi, "10.0.0.53," + n},
                                                {core::kDs, "corp.example"},
                                                {core::kWg, "GROUP" + n},
                                                {core::kLc, "PC" + n},
                                                {core::kCc, "端末 " + n},
                                                {core::kFs, "Yes"},
                                                {core::kPs, "No"},
                                                {core::kLi, "user" + n},
                                                {core::kLd, "DOM" + n},
                                                {core::kWp, "10.0.0." + n},
                                                {core::kWs, "10.0.2." + n},
                                                {core::kNt, "8"},
                                                {core::kWi, "scope" + n},
                                                {core::kLo, variant % 2 ? "1" : "0"}};
  for (const auto& [index, value] : values) {
    list[index].Value = value;
    list[index].IsSet = true;
  }
  return list;
}

void BM_WriteFullSetting_Template(benchmark::State& state) {
  testing::TempMachine machine;
  const system::LeadBytes lead(machine.system());
  int variant = 0;
  for (auto _ : state) {
    state.PauseTiming();
    core::TRegList setting = FullSetting(machine.system(), ++variant);
    state.ResumeTiming();
    network::AppendAdapterSubkey(setting, "0000", false, machine.system());
    network::WriteGenericItems(machine.registry(), setting);
    network::ClearDnsValues(machine.registry(), machine.system(), setting[core::kDe].Value);
    network::WriteWinsItems(machine.registry(), setting[core::kWp], setting[core::kWs],
                           setting[core::kWi], setting[core::kNt]);
    network::ChangeLogonProvider(machine.registry(), lead, std::stoi(setting[core::kLo].Value),
                                setting[core::kLd].Value);
  }
}
BENCHMARK(BM_WriteFullSetting_Template)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zuba
