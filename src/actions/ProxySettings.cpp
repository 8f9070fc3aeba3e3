#include "actions/ProxySettings.h"

#include "actions/InternetSettings.h"
#include "system/MyRegs.h"

namespace zuba::actions {
namespace {

using platform::kHkeyCurrentUser;

constexpr char kEnableValue[] = "ProxyEnable";
constexpr char kServerValue[] = "ProxyServer";
constexpr char kAutoConfigValue[] = "AutoConfigURL";

std::string ReadSetting(platform::Registry& registry, const std::string& valueName) {
  std::string text;
  system::ReadRegString(registry, kHkeyCurrentUser, kInternetSettingsKey, valueName, text);
  return text;
}

}  // namespace

network::ProxyValues ProxySettings::ReadCurrent() {
  network::ProxyValues values;
  std::int32_t enabled = 0;
  system::ReadRegInteger(registry_, kHkeyCurrentUser, kInternetSettingsKey, kEnableValue, enabled);
  values.enabled = enabled != 0;
  values.server = ReadSetting(registry_, kServerValue);
  values.autoConfigUrl = ReadSetting(registry_, kAutoConfigValue);
  return values;
}

void ProxySettings::Apply(bool enabled, const std::string& server,
                          const std::string& autoConfigUrl) {
  system::WriteRegBinary4(registry_, kHkeyCurrentUser, kInternetSettingsKey, kEnableValue,
                          enabled ? 1 : 0);
  system::WriteRegString(registry_, kHkeyCurrentUser, kInternetSettingsKey, kAutoConfigValue,
                         autoConfigUrl);
  if (enabled) {
    system::WriteRegString(registry_, kHkeyCurrentUser, kInternetSettingsKey, kServerValue, server);
  }
}

}  // namespace zuba::actions
