#include "network/ChgDNS.h"

#include "system/IntegerText.h"
#include "system/MyRegs.h"
#include "system/ZubaUtil.h"

namespace zuba::network {

namespace {

constexpr int kLastGenericItem = core::kLi;
constexpr char kDnsOff[] = "0";
constexpr char kVtypeError[] = "Apply: Vtype Error\r\n";

}  // namespace

bool NeedsAdapterSubkey(int index, bool win98Mode) {
  if (index >= core::kIp && index <= core::kMs) return true;
  return win98Mode && index >= core::kWp && index <= core::kNt;
}

void AttachAdapterSubkey(core::TNetReg& item, const std::string& subkey) {
  if (subkey.empty()) {
    item.RootKey = 0;
    return;
  }
  item.KeyPath += "\\";
  item.KeyPath += subkey;
}

bool AppendAdapterSubkey(core::TRegList& list, const std::string& subkey, bool force,
                         platform::System& system) {
  const bool win98Mode = system::IsWin98Mode(force, system);
  bool carriesAdapterItems = false;
  for (int i = 0; i < core::kItemCount; ++i) {
    if (!NeedsAdapterSubkey(i, win98Mode)) continue;
    AttachAdapterSubkey(list[i], subkey);
    carriesAdapterItems = carriesAdapterItems || list[i].IsSet;
  }
  return !subkey.empty() || !carriesAdapterItems;
}

namespace {

bool WriteKnownItem(platform::Registry& registry, const core::TNetReg& item) {
  switch (item.Vtype) {
    case 's':
      if (item.RootKey == 0) return false;
      return system::WriteRegString(registry, item.RootKey, item.KeyPath, item.ValueName, item.Value);
    case 'b':
      if (item.RootKey == 0) return false;
      return system::WriteRegBool(registry, item.RootKey, item.KeyPath, item.ValueName, item.Value != "0");
    default: {
      // The text is converted first: a text that is no integer is an error
      // even when the key is missing.
      const std::int32_t value = system::TextToInteger(item.Value);
      if (item.RootKey == 0) return false;
      return system::WriteRegBinary4(registry, item.RootKey, item.KeyPath, item.ValueName, value);
    }
  }
}

}  // namespace

ItemWrite WriteItem(platform::Registry& registry, const core::TNetReg& item) {
  if (item.Vtype != 's' && item.Vtype != 'b' && item.Vtype != 'x') return ItemWrite::kUnknownType;
  return WriteKnownItem(registry, item) ? ItemWrite::kWritten : ItemWrite::kNotWritten;
}

std::string UnknownTypeMessage(const core::TNetReg& item) { return kVtypeError + item.ValueName; }

std::vector<std::string> WriteGenericItems(platform::Registry& registry, const core::TRegList& list) {
  std::vector<std::string> unknown;
  for (int i = 0; i <= kLastGenericItem; ++i) {
    if (list[i].IsSet && WriteItem(registry, list[i]) == ItemWrite::kUnknownType) {
      unknown.push_back(UnknownTypeMessage(list[i]));
    }
  }
  return unknown;
}

void ClearDnsValues(platform::Registry& registry, platform::System& system,
                    const std::string& deValue) {
  if (deValue != kDnsOff) return;
  core::TRegList base;
  core::InitRegList(base, false, system);
  for (int i : {core::kDh, core::kDd, core::kDi, core::kDs}) {
    system::DeleteRegValue(registry, base[i].RootKey, base[i].KeyPath, base[i].ValueName);
  }
}

}  // namespace zuba::network
