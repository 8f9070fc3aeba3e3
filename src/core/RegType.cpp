#include "core/RegType.h"

#include <string>

#include "system/MyRegs.h"
#include "system/ZubaUtil.h"

namespace zuba::core {

namespace {

constexpr platform::RegKey kLocal = platform::kHkeyLocalMachine;

constexpr char kNetTransPath[] = "\\System\\CurrentControlSet\\Services\\Class\\NetTrans";
constexpr char kMstcpPath[] = "\\System\\CurrentControlSet\\Services\\VxD\\MSTCP";
constexpr char kVnetsupPath[] = "\\System\\CurrentControlSet\\Services\\VxD\\VNETSUP";
constexpr char kComputerNamePath[] =
    "\\System\\CurrentControlSet\\Control\\ComputerName\\ComputerName";
constexpr char kLogonPath[] = "\\Network\\Logon";
constexpr char kNetworkProviderPath[] =
    "\\System\\CurrentControlSet\\Services\\MSNP32\\NetworkProvider";

// Where an item lives in the registry.
enum class Location {
  kNone,   // nowhere: carried only as text
  kFixed,  // at `keyPath`
  kWins,   // below the WINS base path (WinsKeyPath)
};

// One row of the item table.
struct ItemDefinition {
  const char* keyCode;
  Location location;
  const char* keyPath;
  const char* valueName;
  char vtype;
  char separator;
};

constexpr ItemDefinition kItems[kItemCount] = {
    {"ip", Location::kFixed, kNetTransPath, "IPAddress", 's', '\0'},
    {"gw", Location::kFixed, kNetTransPath, "DefaultGateway", 's', ','},
    {"ms", Location::kFixed, kNetTransPath, "IPMask", 's', '\0'},
    {"de", Location::kFixed, kMstcpPath, "EnableDNS", 's', '\0'},
    {"dh", Location::kFixed, kMstcpPath, "HostName", 's', '\0'},
    {"dd", Location::kFixed, kMstcpPath, "Domain", 's', '\0'},
    {"di", Location::kFixed, kMstcpPath, "NameServer", 's', ','},
    {"ds", Location::kFixed, kMstcpPath, "SearchList", 's', ','},
    {"wg", Location::kFixed, kVnetsupPath, "WorkGroup", 's', '\0'},
    {"lc", Location::kFixed, kComputerNamePath, "ComputerName", 's', '\0'},
    {"cc", Location::kFixed, kVnetsupPath, "Comment", 's', '\0'},
    {"fs", Location::kFixed, kVnetsupPath, "FileSharing", 's', '\0'},
    {"ps", Location::kFixed, kVnetsupPath, "PrintSharing", 's', '\0'},
    {"li", Location::kFixed, kLogonPath, "username", 's', '\0'},
    {"ld", Location::kFixed, kNetworkProviderPath, "AuthenticatingAgent", 's', '\0'},
    {"wp", Location::kWins, "", "NameServer1", 's', '\0'},
    {"ws", Location::kWins, "", "NameServer2", 's', '\0'},
    {"nt", Location::kWins, "", "NodeType", 's', '\0'},
    {"wi", Location::kFixed, kMstcpPath, "ScopeID", 's', '\0'},
    {"lo", Location::kNone, "", "", 's', '\0'},
    {"hh", Location::kNone, "", "", 's', '\0'},
    {"hl", Location::kNone, "", "", 's', '\0'},
    {"ee", Location::kNone, "", "", 's', '\0'},
    {"eo", Location::kNone, "", "", 's', '\0'},
    {"pe", Location::kNone, "", "", 'x', '\0'},
    {"pv", Location::kNone, "", "", 's', '\0'},
    {"pa", Location::kNone, "", "", 's', '\0'},
    {"cp", Location::kNone, "", "", 'b', '\0'},
    {"pf", Location::kNone, "", "", 's', '\0'},
    {"pc", Location::kNone, "", "", 'x', '\0'},
    {"pd", Location::kNone, "", "", 'x', '\0'},
    {"tl", Location::kNone, "", "", 's', '\0'},
    {"pr", Location::kNone, "", "", 's', '\0'},
};

constexpr char kLogonChoiceInitial[] = "0";

}  // namespace

std::string WinsKeyPath(bool force, platform::System& system) {
  return system::IsWin98Mode(force, system) ? kNetTransPath : kMstcpPath;
}

void InitRegList(TRegList& list, bool force, platform::System& system) {
  const std::string winsPath = WinsKeyPath(force, system);
  for (int i = 0; i < kItemCount; ++i) {
    const ItemDefinition& definition = kItems[i];
    TNetReg& item = list[i];
    item.Value.clear();
    item.IsSet = false;
    item.KeyCode = definition.keyCode;
    item.RootKey = definition.location == Location::kNone ? 0 : kLocal;
    item.KeyPath = definition.location == Location::kWins ? winsPath : definition.keyPath;
    item.ValueName = definition.valueName;
    item.Vtype = definition.vtype;
    item.Separator = definition.separator;
  }
  list[kLo].Value = kLogonChoiceInitial;
}

int FindItemIndex(const std::string& keyCode) {
  for (int i = 0; i < kItemCount; ++i) {
    if (keyCode == kItems[i].keyCode) return i;
  }
  return kSpareSlot;
}

void ReadItemString(TNetReg& item, platform::Registry& registry) {
  item.IsSet = false;
  item.IsSet =
      system::ReadRegString(registry, item.RootKey, item.KeyPath, item.ValueName, item.Value);
}

void ReadItemBool(TNetReg& item, platform::Registry& registry) {
  item.IsSet = false;
  bool flag = false;
  if (system::ReadRegBool(registry, item.RootKey, item.KeyPath, item.ValueName, flag)) {
    item.Value = flag ? "1" : "0";
    item.IsSet = true;
  }
}

void ReadItemBinary(TNetReg& item, platform::Registry& registry) {
  item.IsSet = false;
  std::int32_t value = 0;
  if (system::QueryRegBinary4(registry, item.RootKey, item.KeyPath, item.ValueName, value) ==
      system::RegRead::kRead) {
    item.Value = std::to_string(value);
    item.IsSet = true;
  }
}

}  // namespace zuba::core
