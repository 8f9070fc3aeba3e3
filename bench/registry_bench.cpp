// The simulated registry on a large machine: a system.reg of 20,000 keys and
// 60,000 values, as a machine with a crowded device tree would have.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "platform/sim/EventLog.h"
#include "platform/sim/SimRegistry.h"
#include "testing/TempMachine.h"

namespace zuba {
namespace {

using platform::kErrorSuccess;
using platform::kHkeyLocalMachine;
using platform::Registry;
using platform::RegKey;
using platform::RegValue;

// HKEY_LOCAL_MACHINE\Enum\BUSnn\DEVICEnnn\nnnn: 20 buses, 50 devices each,
// 19 instances each (20,021 keys); three values per device and instance
// (60,000 values).
std::string LargeSystemReg() {
  std::string text =
      "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE]\r\n\r\n[HKEY_LOCAL_MACHINE\\Enum]\r\n\r\n";
  char line[256];
  for (int bus = 0; bus < 20; ++bus) {
    std::string busPath = "HKEY_LOCAL_MACHINE\\Enum\\BUS" + std::to_string(bus);
    text += "[" + busPath + "]\r\n\r\n";
    for (int device = 0; device < 50; ++device) {
      std::string devicePath = busPath + "\\DEVICE" + std::to_string(device);
      text += "[" + devicePath + "]\r\n";
      snprintf(line, sizeof line,
               "\"Class\"=\"Net\"\r\n\"HardwareID\"=\"PCI\\\\VEN_10EC&DEV_%04d\"\r\n"
               "\"ConfigFlags\"=hex:00,00,00,00\r\n\r\n",
               device);
      text += line;
      for (int instance = 0; instance < 19; ++instance) {
        snprintf(line, sizeof line,
                 "[%s\\%04d]\r\n\"DeviceDesc\"=\"ネットワーク アダプタ %d\"\r\n"
                 "\"Driver\"=\"Net\\\\%04d\"\r\n\"Capabilities\"=dword:%08x\r\n\r\n",
                 devicePath.c_str(), instance, instance, device * 19 + instance, instance);
        text += line;
      }
    }
  }
  return text;
}

class LargeMachine {
 public:
  LargeMachine() : events_(dir_.path()) {
    text_ = LargeSystemReg();
    std::ofstream(dir_.path() + "/system.reg", std::ios::binary) << text_;
  }
  std::unique_ptr<Registry> Open() { return platform::sim::OpenSimRegistry(dir_.path(), events_); }
  std::size_t size() const { return text_.size(); }

 private:
  testing::TempDir dir_;
  platform::sim::EventLog events_;
  std::string text_;
};

void BM_RegistryLoad(benchmark::State& state) {
  LargeMachine machine;
  for (auto _ : state) {
    auto registry = machine.Open();
    benchmark::DoNotOptimize(registry.get());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * machine.size()));
  state.counters["MB"] = static_cast<double>(machine.size()) / 1e6;
}
BENCHMARK(BM_RegistryLoad)->Unit(benchmark::kMillisecond);

// One value written on the large registry, including the durable write of
// the whole hive.
void BM_RegistrySetValue(benchmark::State& state) {
  LargeMachine machine;
  auto registry = machine.Open();
  RegKey key;
  registry->CreateKey(kHkeyLocalMachine, "Enum\\BUS7\\DEVICE3\\0005", &key);
  std::vector<double> times;
  int n = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    long r = registry->SetValue(key, "IPAddress", RegValue{platform::kRegSz, std::to_string(n++)});
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    if (r != kErrorSuccess) state.SkipWithError("SetValue failed");
  }
  std::sort(times.begin(), times.end());
  state.counters["median_ms"] = times.empty() ? 0 : times[times.size() / 2];
  registry->CloseKey(key);
}
BENCHMARK(BM_RegistrySetValue)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The walk of a depth-first key search: every key is opened from the root by
// its path, its subkeys listed, then opened again for one value read.
void Walk(Registry& registry, const std::string& path, int* keys) {
  RegKey key;
  std::vector<std::string> names;
  if (registry.OpenKey(kHkeyLocalMachine, path, &key) == kErrorSuccess) {
    std::uint32_t count = 0;
    registry.QueryInfoKey(key, &count, nullptr);
    std::string name;
    for (std::uint32_t i = 0; i < count && registry.EnumKey(key, i, &name) == kErrorSuccess; ++i) {
      names.push_back(name);
    }
    registry.CloseKey(key);
  }
  for (const std::string& name : names) Walk(registry, path + "\\" + name, keys);
  ++*keys;
  if (registry.OpenKey(kHkeyLocalMachine, path, &key) == kErrorSuccess) {
    RegValue value;
    registry.QueryValue(key, "DeviceDesc", &value);
    registry.CloseKey(key);
  }
}

void BM_RegistryFindKeysWalk(benchmark::State& state) {
  LargeMachine machine;
  auto registry = machine.Open();
  int keys = 0;
  for (auto _ : state) {
    keys = 0;
    Walk(*registry, "\\Enum", &keys);
  }
  state.counters["keys"] = keys;
}
BENCHMARK(BM_RegistryFindKeysWalk)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zuba
