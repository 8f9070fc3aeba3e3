#include "network/CurrentConfig.h"

#include "network/ChgDNS.h"
#include "network/ChgLogon.h"
#include "system/Errors.h"
#include "system/ZubaUtil.h"

namespace zuba::network {

namespace {

constexpr int kLastRegistryItem = core::kWi;

const char* OneOrZero(bool flag) { return flag ? "1" : "0"; }

void Store(core::TNetReg& item, std::string value, bool set = true) {
  item.Value = std::move(value);
  item.IsSet = set;
}

}  // namespace

CurrentConfig::CurrentConfig(platform::Registry& registry, platform::System& system,
                             DefaultPrinterSource& printer, DialUpSource& dialUp,
                             ProxySource& proxy)
    : registry_(registry),
      system_(system),
      printer_(printer),
      dialUp_(dialUp),
      proxy_(proxy),
      lead_(system) {}

void CurrentConfig::ReadCurrentConfig(const std::string& adapterSubkey, bool force,
                                      core::TRegList& list) {
  core::InitRegList(list, force, system_);
  ReadRegistryItems(adapterSubkey, force, list);
  ReadComponentItems(list);
}

void CurrentConfig::ReadRegistryItems(const std::string& adapterSubkey, bool force,
                                      core::TRegList& list) {
  const bool win98Mode = system::IsWin98Mode(force, system_);
  for (int i = 0; i <= kLastRegistryItem; ++i) {
    core::TNetReg& item = list[i];
    if (NeedsAdapterSubkey(i, win98Mode)) AttachAdapterSubkey(item, adapterSubkey);
    if (item.RootKey == 0) continue;  // no adapter to read from
    try {
      switch (item.Vtype) {
        case 'b':
          core::ReadItemBool(item, registry_);
          break;
        case 's':
          core::ReadItemString(item, registry_);
          break;
        case 'x':
          core::ReadItemBinary(item, registry_);
          break;
        default:
          break;
      }
    } catch (const system::ERegistryException&) {
      item.IsSet = false;
    }
  }
}

void CurrentConfig::ReadComponentItems(core::TRegList& list) {
  Store(list[core::kPr], printer_.GetDefaultPrinter());
  Store(list[core::kLo], std::to_string(GetLogonProviderIndex(registry_, lead_)));

  DialUpValues dialUp = dialUp_.ReadCurrent();
  Store(list[core::kPc], OneOrZero(dialUp.autoDial));
  Store(list[core::kPd], OneOrZero(dialUp.autoDisconnect));
  const bool hasConnection = !dialUp.connectionName.empty();
  const bool hasLocation = !dialUp.locationName.empty();
  Store(list[core::kPf], std::move(dialUp.connectionName), hasConnection);
  Store(list[core::kTl], std::move(dialUp.locationName), hasLocation);

  ProxyValues proxy = proxy_.ReadCurrent();
  Store(list[core::kPe], OneOrZero(proxy.enabled));
  Store(list[core::kPv], std::move(proxy.server));
  Store(list[core::kPa], std::move(proxy.autoConfigUrl));
}

}  // namespace zuba::network
