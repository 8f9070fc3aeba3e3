#include "actions/DialUpSettings.h"

#include "system/ZubaUtil.h"

namespace zuba::actions {
namespace {

using platform::kHkeyCurrentUser;
using platform::kHkeyLocalMachine;

constexpr char kAutoDialValue[] = "EnableAutodial";
constexpr char kAutoDisconnectValue[] = "EnableAutodisconnect";
constexpr char kCurrentIdValue[] = "CurrentID";
constexpr char kNameValue[] = "Name";
constexpr char kIdValue[] = "ID";

// A flag stored as 4 bytes of binary data; a 32-bit integer is taken as
// well. A missing key or value reads as off.
bool ReadFlag(platform::Registry& registry, const std::string& valueName) {
  std::int32_t value = 0;
  system::ReadRegInteger(registry, kHkeyCurrentUser, kInternetSettingsKey, valueName, value);
  return value != 0;
}

// The 32-bit integer of a value below HKEY_LOCAL_MACHINE; false when the key
// or the value is missing.
bool ReadLocalInteger(platform::Registry& registry, const system::LeadBytes& lead,
                      const std::string& keyPath, const std::string& valueName,
                      std::int32_t& value) {
  system::NameList names;
  if (!system::GetLocalValueNames(registry, keyPath, names)) return false;
  for (const std::string& name : names) {
    if (system::SameTextIgnoringCase(name, valueName, lead)) {
      return system::ReadRegInteger(registry, kHkeyLocalMachine, keyPath, valueName, value);
    }
  }
  return false;
}

std::string ReadLocalString(platform::Registry& registry, const std::string& keyPath,
                            const std::string& valueName) {
  std::string text;
  system::ReadRegString(registry, kHkeyLocalMachine, keyPath, valueName, text);
  return text;
}

}  // namespace

DialUpSettings::DialUpSettings(platform::Registry& registry, platform::Profiles& profiles,
                               platform::Files& files, platform::System& system)
    : registry_(registry), profiles_(profiles), files_(files), lead_(system) {
  system::GetRegKeyNames(registry_, kHkeyCurrentUser, kConnectionsKey, connectionNames_);
  GetLocationNames(locationNames_);
}

network::DialUpValues DialUpSettings::ReadCurrent() {
  network::DialUpValues values;
  values.autoDial = ReadFlag(registry_, kAutoDialValue);
  values.autoDisconnect = ReadFlag(registry_, kAutoDisconnectValue);
  system::ReadRegString(registry_, kHkeyCurrentUser, kRemoteAccessKey, kInternetProfileValue,
                        values.connectionName);
  values.locationName = GetCurrentLocationName();
  return values;
}

bool DialUpSettings::Apply(bool autoDial, bool autoDisconnect, const std::string& connectionName,
                     const std::string& locationName) {
  system::WriteRegBinary4(registry_, kHkeyCurrentUser, kInternetSettingsKey, kAutoDialValue,
                          autoDial ? 1 : 0);
  system::WriteRegBinary4(registry_, kHkeyCurrentUser, kInternetSettingsKey, kAutoDisconnectValue,
                          autoDisconnect ? 1 : 0);
  system::WriteRegString(registry_, kHkeyCurrentUser, kRemoteAccessKey, kInternetProfileValue,
                         connectionName);
  std::int32_t index = -1;
  for (std::size_t i = 0; i < locationNames_.size(); ++i) {
    if (system::SameTextIgnoringCase(locationNames_[i], locationName, lead_)) {
      index = static_cast<std::int32_t>(i);
      break;
    }
  }
  return SetCurrentLocation(index, locationName);
}

system::NameList DialUpSettings::LocationKeys(const std::string& valueName) {
  system::NameList keys;
  system::FindRegKeys(registry_, lead_, keys, kLocationsKey, valueName, "*");
  return keys;
}

TelephonIni DialUpSettings::File() {
  return TelephonIni(profiles_, system::GetWindowsDir(files_) + kTelephonIni);
}

void DialUpSettings::GetLocationNames(std::vector<std::string>& names) {
  const system::NameList keys = LocationKeys(kNameValue);
  if (keys.empty()) {
    File().AppendLocationNames(names);
    return;
  }
  for (const std::string& key : keys) names.push_back(ReadLocalString(registry_, key, kNameValue));
}

std::string DialUpSettings::GetCurrentLocationName() {
  // With the Locations key the locations live in the registry.
  system::NameList values;
  if (system::GetLocalValueNames(registry_, kLocationsKey, values)) {
    std::int32_t currentId = 0;
    if (!ReadLocalInteger(registry_, lead_, kLocationsKey, kCurrentIdValue, currentId)) return "";
    // Every key the search yields has an "ID".
    for (const std::string& key : LocationKeys(kIdValue)) {
      std::int32_t id = 0;
      system::ReadRegInteger(registry_, kHkeyLocalMachine, key, kIdValue, id);
      if (id == currentId) {
        return ReadLocalString(registry_, key, kNameValue);
      }
    }
    return "";
  }
  std::int32_t index = 0;
  if (!File().CurrentIndex(&index) || index < 0) return "";
  std::vector<std::string> names;
  GetLocationNames(names);
  return static_cast<std::size_t>(index) < names.size() ? names[index] : std::string();
}

bool DialUpSettings::SetCurrentLocation(std::int32_t index, const std::string& name) {
  const system::NameList keys = LocationKeys(kNameValue);
  if (keys.empty()) {
    TelephonIni file = File();
    std::int32_t count = 0;
    const bool listed = index >= 0 && file.LocationCount(&count) && index < count;
    return file.SetCurrentIndex(index) || !listed;
  }
  for (const std::string& key : keys) {
    if (ReadLocalString(registry_, key, kNameValue) != name) continue;
    std::int32_t id = 0;
    if (ReadLocalInteger(registry_, lead_, key, kIdValue, id)) {
      system::WriteRegBinary4(registry_, kHkeyLocalMachine, kLocationsKey, kCurrentIdValue, id);
    }
    return true;
  }
  return true;
}

}  // namespace zuba::actions
