#include "network/GetRegs.h"

#include <string>
#include <utility>

namespace zuba::network {

namespace {

constexpr platform::RegKey kLocal = platform::kHkeyLocalMachine;
constexpr char kEnumPath[] = "\\Enum";
constexpr char kMstcpInstances[] = "\\Enum\\Network\\MSTCP\\";
constexpr char kTcpIpProtocol[] = "MSTCP";

// The instance name of the adapter's first TCP/IP binding; false when the
// adapter has none.
bool FindTcpIpBinding(platform::Registry& registry, const system::LeadBytes& lead,
                      const std::string& adapterKey, std::string& instance) {
  system::NameList bindings;
  system::GetLocalValueNames(registry, adapterKey + "\\Bindings", bindings);
  for (std::string& binding : bindings) {
    if (system::TakeToken(binding, "\\", lead) == kTcpIpProtocol) {
      instance = std::move(binding);
      return true;
    }
  }
  return false;
}

// The NetTrans subkey of a TCP/IP instance: its "Driver" after the first
// backslash. A binding without an instance name names no instance key (its
// path would end in a bare backslash), so nothing is read for it.
std::string NetTransSubkey(platform::Registry& registry, const system::LeadBytes& lead,
                           const std::string& instance) {
  if (instance.empty()) return std::string();
  std::string driver;
  system::ReadRegString(registry, kLocal, kMstcpInstances + instance, "Driver", driver);
  system::TakeToken(driver, "\\", lead);
  return driver;
}

}  // namespace

void DiscoverAdapters(platform::Registry& registry, const system::LeadBytes& lead, system::NameList& descriptions,
                      system::NameList& registers) {
  system::NameList adapters;
  system::FindRegKeys(registry, lead, adapters, kEnumPath, "Class", "Net");
  system::NameList foundDescriptions;
  system::NameList foundRegisters;
  for (const std::string& adapter : adapters) {
    std::string instance;
    if (!FindTcpIpBinding(registry, lead, adapter, instance)) continue;
    foundRegisters.push_back(NetTransSubkey(registry, lead, instance));
    std::string description;
    system::ReadRegString(registry, kLocal, adapter, "DeviceDesc", description);
    foundDescriptions.push_back(std::move(description));
  }
  descriptions = std::move(foundDescriptions);
  registers = std::move(foundRegisters);
}

}  // namespace zuba::network
