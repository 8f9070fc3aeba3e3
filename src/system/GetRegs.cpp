#include "system/GetRegs.h"

#include <string>
#include <utility>

namespace zuba::system {

namespace {

constexpr platform::RegKey kLocal = platform::kHkeyLocalMachine;
constexpr char kEnumPath[] = "\\Enum";
constexpr char kMstcpInstances[] = "\\Enum\\Network\\MSTCP\\";
constexpr char kTcpIpProtocol[] = "MSTCP";

// The instance name of the adapter's first TCP/IP binding; false when the
// adapter has none.
bool FindTcpIpBinding(platform::Registry& registry, const LeadBytes& lead,
                      const std::string& adapterKey, std::string& instance) {
  NameList bindings;
  GetLocalValueNames(registry, adapterKey + "\\Bindings", bindings);
  for (std::string& binding : bindings) {
    if (TakeToken(binding, "\\", lead) == kTcpIpProtocol) {
      instance = std::move(binding);
      return true;
    }
  }
  return false;
}

// The NetTrans subkey of a TCP/IP instance: its "Driver" after the first
// backslash. A binding without an instance name names no instance key (its
// path would end in a bare backslash), so nothing is read for it.
std::string NetTransSubkey(platform::Registry& registry, const LeadBytes& lead,
                           const std::string& instance) {
  if (instance.empty()) return std::string();
  std::string driver;
  ReadRegString(registry, kLocal, kMstcpInstances + instance, "Driver", driver);
  TakeToken(driver, "\\", lead);
  return driver;
}

}  // namespace

void DiscoverAdapters(platform::Registry& registry, const LeadBytes& lead, NameList& descriptions,
                      NameList& registers) {
  NameList adapters;
  FindRegKeys(registry, lead, adapters, kEnumPath, "Class", "Net");
  NameList foundDescriptions;
  NameList foundRegisters;
  for (const std::string& adapter : adapters) {
    std::string instance;
    if (!FindTcpIpBinding(registry, lead, adapter, instance)) continue;
    foundRegisters.push_back(NetTransSubkey(registry, lead, instance));
    std::string description;
    ReadRegString(registry, kLocal, adapter, "DeviceDesc", description);
    foundDescriptions.push_back(std::move(description));
  }
  descriptions = std::move(foundDescriptions);
  registers = std::move(foundRegisters);
}

}  // namespace zuba::system
