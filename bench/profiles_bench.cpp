// The private-profile functions on a 1 MB INI file: one value read with the
// parse cache warm (the common case: a file read key by key), the parse of
// the whole file (what a changed file costs once), and one value written
// (an in-place edit and an atomic replacement of the file).
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/sim/IniText.h"
#include "testing/TempMachine.h"

namespace zuba {
namespace {

constexpr char kFile[] = "C:\\ZUBANET\\Zubanet.ini";

// About 1 MB: 400 sections of 50 keys with values of about 40 bytes.
std::string LargeIni() {
  std::string text;
  for (int s = 0; s < 400; ++s) {
    text += "[Setting" + std::to_string(s) + "]\r\n";
    for (int k = 0; k < 50; ++k) {
      text += "key" + std::to_string(k) + "=value " + std::to_string(s * 50 + k) +
              " 192.168.100.200,192.168.100.201\r\n";
    }
  }
  return text;
}

// A machine with the file in place and settled: a file changed within the
// last two seconds is re-read on every call, as its time stamp cannot yet
// tell a further change.
class IniMachine {
 public:
  IniMachine() {
    text_ = LargeIni();
    machine_.files().WriteBytes(kFile, text_);
    std::this_thread::sleep_for(std::chrono::milliseconds(2100));
  }
  platform::Profiles& profiles() { return machine_.profiles(); }
  const std::string& text() const { return text_; }

 private:
  testing::TempMachine machine_;
  std::string text_;
};

IniMachine& Machine() {
  static IniMachine machine;
  return machine;
}

void BM_ProfileReadWarm(benchmark::State& state) {
  platform::Profiles& profiles = Machine().profiles();
  std::string value;
  profiles.GetString("Setting399", "key49", "", &value, 2048, kFile);  // warms the cache
  for (auto _ : state) {
    profiles.GetString("setting399", "KEY49", "", &value, 2048, kFile);
    benchmark::DoNotOptimize(value);
  }
  state.counters["bytes"] = static_cast<double>(Machine().text().size());
  if (value.empty()) state.SkipWithError("the value was not found");
}
BENCHMARK(BM_ProfileReadWarm);

void BM_ProfileReadWarmOtherSpelling(benchmark::State& state) {
  platform::Profiles& profiles = Machine().profiles();
  std::string value;
  for (auto _ : state) {
    profiles.GetString("Setting200", "key0", "", &value, 2048, "c:\\zubanet\\ZUBANET.INI");
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(BM_ProfileReadWarmOtherSpelling);

void BM_IniParseOneMegabyte(benchmark::State& state) {
  const std::string& text = Machine().text();
  for (auto _ : state) {
    platform::sim::IniText ini(text);
    benchmark::DoNotOptimize(ini);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_IniParseOneMegabyte)->Unit(benchmark::kMillisecond);

void BM_ProfileWriteOneValue(benchmark::State& state) {
  platform::Profiles& profiles = Machine().profiles();
  int n = 0;
  for (auto _ : state) {
    profiles.WriteString("Setting200", "key7", std::to_string(n++), kFile);
  }
}
BENCHMARK(BM_ProfileWriteOneValue)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zuba
