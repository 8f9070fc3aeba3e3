// The adapter search: FindRegKeys below "\Enum" for Class "Net" on a device
// tree of about 20,000 keys, once on the simulated registry (the program's
// figure) and once on a bare in-memory registry (the walk's own cost).
#include <benchmark/benchmark.h>

#include <cctype>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Cp932.h"
#include "platform/Registry.h"
#include "platform/sim/EventLog.h"
#include "platform/sim/SimRegistry.h"
#include "system/MyRegs.h"
#include "testing/TempMachine.h"

namespace zuba {
namespace {

using platform::RegKey;
using platform::RegValue;

constexpr int kBuses = 8;
constexpr int kDevicesPerBus = 50;
constexpr int kInstancesPerDevice = 49;  // 8 * 50 * 49 + 8 * 50 + 8 = 20,008 keys below \Enum
constexpr int kNetEvery = 997;           // one instance in that many is a network adapter

struct Instance {
  std::string path;  // below HKEY_LOCAL_MACHINE, without a leading backslash
  std::vector<std::pair<std::string, std::string>> strings;
};

// The device tree as a list of keys, parents first.
std::vector<Instance> DeviceTree() {
  std::vector<Instance> keys;
  keys.push_back({"Enum", {}});
  int counter = 0;
  for (int b = 0; b < kBuses; ++b) {
    std::string bus = "Enum\\BUS" + std::to_string(b);
    keys.push_back({bus, {}});
    for (int d = 0; d < kDevicesPerBus; ++d) {
      std::string device = bus + "\\VEN_" + std::to_string(1000 + d) + "&DEV_" + std::to_string(d);
      keys.push_back({device, {}});
      for (int i = 0; i < kInstancesPerDevice; ++i) {
        bool net = ++counter % kNetEvery == 0;
        keys.push_back({device + "\\" + std::to_string(i),
                        {{"Class", net ? "Net" : "System"},
                         {"DeviceDesc", "Device " + std::to_string(counter)},
                         {"HardwareID", "PCI\\VEN_" + std::to_string(1000 + d)},
                         {"Mfg", "Maker"},
                         {"Driver", "System\\" + std::to_string(counter)}}});
      }
    }
  }
  return keys;
}

std::string RegEscape(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out;
}

// Writes the tree as the machine's system.reg.
void WriteHive(const std::string& directory, const std::vector<Instance>& keys) {
  std::ofstream out(directory + "/system.reg", std::ios::binary);
  out << "REGEDIT4\r\n";
  for (const Instance& key : keys) {
    out << "\r\n[HKEY_LOCAL_MACHINE\\" << key.path << "]\r\n";
    for (const auto& [name, value] : key.strings) {
      out << '"' << name << "\"=\"" << RegEscape(value) << "\"\r\n";
    }
  }
  out << "\r\n";
}

// The least a registry can do: a tree in memory, names compared without
// regard to ASCII case, handles in a table.
class MemoryRegistry : public platform::Registry {
 public:
  MemoryRegistry() {
    handles_[platform::kHkeyLocalMachine] = &local_;
    handles_[platform::kHkeyCurrentUser] = &user_;
  }
  long OpenKey(RegKey parent, const std::string& subKey, RegKey* result) override {
    Node* node = Find(parent);
    if (!node) return platform::kErrorBadKey;
    std::size_t start = 0;
    while (node && start < subKey.size()) {
      std::size_t end = subKey.find('\\', start);
      if (end == std::string::npos) end = subKey.size();
      if (end > start) node = node->Child(subKey.substr(start, end - start));
      start = end + 1;
    }
    if (!node) return platform::kErrorFileNotFound;
    *result = next_++;
    handles_[*result] = node;
    return platform::kErrorSuccess;
  }
  long CreateKey(RegKey parent, const std::string& subKey, RegKey* result) override {
    Node* node = Find(parent);
    std::size_t start = 0;
    while (start < subKey.size()) {
      std::size_t end = subKey.find('\\', start);
      if (end == std::string::npos) end = subKey.size();
      if (end > start) node = node->Make(subKey.substr(start, end - start));
      start = end + 1;
    }
    *result = next_++;
    handles_[*result] = node;
    return platform::kErrorSuccess;
  }
  long CloseKey(RegKey key) override {
    if (key < 0x80000000u) handles_.erase(key);
    return platform::kErrorSuccess;
  }
  long QueryValue(RegKey key, const std::string& name, RegValue* value) override {
    Node* node = Find(key);
    for (auto& [n, v] : node->values) {
      if (Lower(n) == Lower(name)) {
        *value = v;
        return platform::kErrorSuccess;
      }
    }
    return platform::kErrorFileNotFound;
  }
  long SetValue(RegKey key, const std::string& name, const RegValue& value) override {
    Find(key)->values.emplace_back(name, value);
    return platform::kErrorSuccess;
  }
  long DeleteValue(RegKey, const std::string&) override { return platform::kErrorAccessDenied; }
  long DeleteKey(RegKey, const std::string&) override { return platform::kErrorAccessDenied; }
  long EnumKey(RegKey key, std::uint32_t index, std::string* name) override {
    Node* node = Find(key);
    if (index >= node->children.size()) return platform::kErrorNoMoreItems;
    *name = node->children[index]->name;
    return platform::kErrorSuccess;
  }
  long EnumValue(RegKey key, std::uint32_t index, std::string* name) override {
    Node* node = Find(key);
    if (index >= node->values.size()) return platform::kErrorNoMoreItems;
    *name = node->values[index].first;
    return platform::kErrorSuccess;
  }
  long QueryInfoKey(RegKey key, std::uint32_t* subKeys, std::uint32_t* values) override {
    Node* node = Find(key);
    *subKeys = static_cast<std::uint32_t>(node->children.size());
    *values = static_cast<std::uint32_t>(node->values.size());
    return platform::kErrorSuccess;
  }
  long FlushKey(RegKey) override { return platform::kErrorSuccess; }

 private:
  static std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  }
  struct Node {
    std::string name;
    std::vector<std::unique_ptr<Node>> children;
    std::map<std::string, Node*> byName;
    std::vector<std::pair<std::string, RegValue>> values;
    Node* Child(const std::string& n) {
      auto it = byName.find(Lower(n));
      return it == byName.end() ? nullptr : it->second;
    }
    Node* Make(const std::string& n) {
      if (Node* existing = Child(n)) return existing;
      children.push_back(std::make_unique<Node>());
      children.back()->name = n;
      byName[Lower(n)] = children.back().get();
      return children.back().get();
    }
  };
  Node* Find(RegKey key) {
    auto it = handles_.find(key);
    return it == handles_.end() ? nullptr : it->second;
  }

  Node local_;
  Node user_;
  std::map<RegKey, Node*> handles_;
  RegKey next_ = 1;
};

system::LeadBytes Cp932() { return system::LeadBytes::FromPredicate(platform::IsCp932LeadByte); }

void Search(benchmark::State& state, platform::Registry& registry) {
  const system::LeadBytes lead = Cp932();
  std::size_t found = 0;
  for (auto _ : state) {
    system::NameList result;
    system::FindRegKeys(registry, lead, result, "\\Enum", "Class", "Net");
    found = result.size();
    benchmark::DoNotOptimize(result);
  }
  state.counters["adapters"] = static_cast<double>(found);
}

void BM_FindRegKeys_SimulatedRegistry(benchmark::State& state) {
  testing::TempDir dir;
  WriteHive(dir.path(), DeviceTree());
  platform::sim::EventLog events(dir.path());
  std::unique_ptr<platform::Registry> registry = platform::sim::OpenSimRegistry(dir.path(), events);
  Search(state, *registry);
}
BENCHMARK(BM_FindRegKeys_SimulatedRegistry)->Unit(benchmark::kMillisecond);

void BM_FindRegKeys_MemoryRegistry(benchmark::State& state) {
  MemoryRegistry registry;
  for (const Instance& key : DeviceTree()) {
    RegKey handle;
    registry.CreateKey(platform::kHkeyLocalMachine, key.path, &handle);
    for (const auto& [name, value] : key.strings) {
      registry.SetValue(handle, name, RegValue{platform::kRegSz, value + '\0'});
    }
    registry.CloseKey(handle);
  }
  Search(state, registry);
}
BENCHMARK(BM_FindRegKeys_MemoryRegistry)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zuba
