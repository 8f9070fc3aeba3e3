#include "app/machine/MachineSources.h"

#include <cstdint>

#include "system/MyRegs.h"

namespace zuba::app {

namespace {

constexpr platform::RegKey kUser = platform::kHkeyCurrentUser;
constexpr platform::RegKey kLocal = platform::kHkeyLocalMachine;
constexpr char kInternetSettings[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr char kRemoteAccess[] = "\\RemoteAccess";
constexpr char kLocations[] =
    "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations";
constexpr char kTelephonIni[] = "telephon.ini";
constexpr std::size_t kProfileBuffer = 1024;

bool BinaryFlag(platform::Registry& registry, const char* valueName) {
  std::int32_t value = 0;
  system::ReadRegBinary4(registry, kUser, kInternetSettings, valueName, value);
  return value != 0;
}

std::string ProfileString(platform::Profiles& profiles, const std::string& section,
                          const std::string& key, const std::string& file) {
  std::string value;
  profiles.GetString(section, key, "", &value, kProfileBuffer, file);
  return value;
}

// The text after the first comma as a non-negative decimal number; -1 when
// it is none.
int NumberAfterComma(const std::string& text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos || comma + 1 == text.size() || text.size() - comma > 10) {
    return -1;
  }
  int number = 0;
  for (std::size_t i = comma + 1; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    number = number * 10 + (text[i] - '0');
  }
  return number;
}

// The text between the first and the second double quote.
std::string QuotedName(const std::string& line) {
  const std::size_t open = line.find('"');
  if (open == std::string::npos) return std::string();
  const std::size_t close = line.find('"', open + 1);
  return line.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
}

}  // namespace

std::string WinIniDefaultPrinter::GetDefaultPrinter() {
  const std::string device = ProfileString(profiles_, "windows", "device", "win.ini");
  return device.substr(0, device.find(','));
}

system::DialUpValues MachineDialUp::ReadCurrent() {
  system::DialUpValues values;
  values.autoDial = BinaryFlag(registry_, "EnableAutodial");
  values.autoDisconnect = BinaryFlag(registry_, "EnableAutodisconnect");
  system::ReadRegString(registry_, kUser, kRemoteAccess, "InternetProfile", values.connectionName);
  values.locationName = CurrentLocationName();
  return values;
}

std::string MachineDialUp::CurrentLocationName() {
  system::NameList values;
  if (!system::GetLocalValueNames(registry_, kLocations, values)) {
    return TelephonIniLocationName();
  }
  bool hasCurrentId = false;
  for (const std::string& name : values) {
    hasCurrentId = hasCurrentId || system::SameTextIgnoringCase(name, "CurrentID", lead_);
  }
  std::int32_t currentId = 0;
  if (!hasCurrentId ||
      !system::ReadRegInteger(registry_, kLocal, kLocations, "CurrentID", currentId)) {
    return std::string();
  }
  system::NameList withId;
  system::FindRegKeys(registry_, lead_, withId, kLocations, "ID", "*");
  for (const std::string& location : withId) {
    std::int32_t id = 0;
    system::ReadRegInteger(registry_, kLocal, location, "ID", id);
    if (id != currentId) continue;
    std::string name;
    system::ReadRegString(registry_, kLocal, location, "Name", name);
    return name;
  }
  return std::string();
}

std::string MachineDialUp::TelephonIniLocationName() {
  const int index =
      NumberAfterComma(ProfileString(profiles_, "Locations", "CurrentLocation", kTelephonIni));
  const int count =
      NumberAfterComma(ProfileString(profiles_, "Locations", "Locations", kTelephonIni));
  if (index < 0 || index >= count) return std::string();
  return QuotedName(
      ProfileString(profiles_, "Locations", "Location" + std::to_string(index), kTelephonIni));
}

system::ProxyValues MachineProxy::ReadCurrent() {
  system::ProxyValues values;
  std::int32_t enabled = 0;
  system::ReadRegBinary4(registry_, kUser, kInternetSettings, "ProxyEnable", enabled);
  values.enabled = enabled != 0;
  system::ReadRegString(registry_, kUser, kInternetSettings, "ProxyServer", values.server);
  system::ReadRegString(registry_, kUser, kInternetSettings, "AutoConfigURL", values.autoConfigUrl);
  return values;
}

}  // namespace zuba::app
