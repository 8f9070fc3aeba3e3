// The settings file of a user who has worked with the program: two
// settings, "会社" (address, mask, gateway, DNS on with a host and a domain)
// and "自宅", "会社" applied last, in this version's layout. The main
// window's tests and pictures start from it on either machine.
#ifndef ZUBA_TESTING_TWOSETTINGS_H_
#define ZUBA_TESTING_TWOSETTINGS_H_

#include <initializer_list>
#include <string>
#include <utility>

#include "core/IniGT.h"
#include "core/RegType.h"
#include "core/SettingsFile.h"
#include "platform/Files.h"
#include "platform/Profiles.h"
#include "platform/System.h"

namespace zuba::testing {

inline void SaveTwoSettings(platform::Profiles& profiles, platform::Files& files,
                            platform::System& system) {
  core::TIniGT ini(profiles, files);
  ini.SetDefaultDir(core::ddApplication);
  ini.SetFence(core::fnNone);
  ini.Loaded();
  core::SettingsFile settings(ini, files);
  auto save = [&](const std::string& name,
                  std::initializer_list<std::pair<const char*, const char*>> items) {
    core::TRegList setting;
    core::InitRegList(setting, false, system);
    for (const auto& [code, value] : items) {
      setting[core::FindItemIndex(code)].Value = value;
      setting[core::FindItemIndex(code)].IsSet = true;
    }
    settings.SaveSetting(name, setting);
    settings.WriteAdapter(name, "0000");
  };
  save("会社", {{"ip", "192.168.10.24"}, {"ms", "255.255.255.0"}, {"gw", "192.168.10.1"},
               {"de", "1"}, {"dh", "pc024"}, {"dd", "example.co.jp"}});
  save("自宅", {{"ip", "192.168.1.5"}, {"ms", "255.255.255.0"}, {"gw", "192.168.1.1"}});
  settings.WriteSettingList({"会社", "自宅"});
  settings.WritePrevious("会社");
  settings.WriteConverted(true);  // the layout of this version
}

}  // namespace zuba::testing

#endif  // ZUBA_TESTING_TWOSETTINGS_H_
