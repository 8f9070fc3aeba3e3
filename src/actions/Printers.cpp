#include "actions/Printers.h"

#include "actions/ProfileText.h"
#include "system/MyRegs.h"
#include "system/ZubaUtil.h"

namespace zuba::actions {
namespace {

constexpr char kWinIniName[] = "win.ini";
constexpr char kDevicesSection[] = "devices";
// The same section as "devices": section names compare without regard to
// case.
constexpr char kDevicesSectionForApply[] = "Devices";
constexpr char kWindowsSection[] = "windows";
constexpr char kDeviceKey[] = "device";
constexpr char kDefaultValue[] = "Default";

// The printers key's "Default" as it was before a switch (kind and data),
// so that a switch that win.ini refuses can put it back. Only the value of
// a key that exists is ever written, so there is no key to take away.
class SavedDefault {
 public:
  explicit SavedDefault(platform::Registry& registry) : registry_(registry) {
    platform::RegKey key = 0;
    if (registry_.OpenKey(platform::kHkeyLocalMachine, kPrintersKey + 1, &key) !=
        platform::kErrorSuccess) {
      return;
    }
    present_ = registry_.QueryValue(key, kDefaultValue, &value_) == platform::kErrorSuccess;
    registry_.CloseKey(key);
  }

  void Restore() {
    platform::RegKey key = 0;
    if (registry_.OpenKey(platform::kHkeyLocalMachine, kPrintersKey + 1, &key) !=
        platform::kErrorSuccess) {
      return;
    }
    if (present_) {
      registry_.SetValue(key, kDefaultValue, value_);
    } else {
      registry_.DeleteValue(key, kDefaultValue);
    }
    registry_.CloseKey(key);
  }

 private:
  platform::Registry& registry_;
  bool present_ = false;
  platform::RegValue value_;
};

std::string WinIniPath(platform::Files& files) { return system::GetWindowsDir(files) + kWinIniName; }

}  // namespace

PrinterSwitch SetDefaultPrinter(platform::Profiles& profiles, platform::Registry& registry,
                                platform::Files& files, platform::System& system,
                                const std::string& name) {
  const std::string winIni = WinIniPath(files);
  const std::string devices = ReadProfileText(profiles, kDevicesSectionForApply, name, winIni);
  if (devices.empty()) return PrinterSwitch::kNotInstalled;
  SavedDefault saved(registry);
  system::WriteRegString(registry, platform::kHkeyLocalMachine, kPrintersKey, kDefaultValue, name);
  if (!profiles.WriteString(kWindowsSection, kDeviceKey, name + "," + devices, winIni)) {
    saved.Restore();
    return PrinterSwitch::kNotWritten;
  }
  system.BroadcastWinIniChange(kWindowsSection);
  return PrinterSwitch::kSwitched;
}

std::string Printers::WinIni() const { return WinIniPath(files_); }

std::vector<std::string> Printers::InstalledPrinters() {
  const std::string winIni = WinIni();
  std::vector<std::string> printers;
  for (const std::string& name : ReadProfileKeyNames(profiles_, kDevicesSection, winIni)) {
    if (!ReadProfileText(profiles_, kDevicesSection, name, winIni).empty()) {
      printers.push_back(name);
    }
  }
  return printers;
}

std::string Printers::GetDefaultPrinter() {
  const std::string device = ReadProfileText(profiles_, kWindowsSection, kDeviceKey, WinIni());
  // A comma is never the second byte of a double-byte character.
  return device.substr(0, device.find(','));
}

PrinterSwitch Printers::SwitchTo(const std::string& name) {
  return SetDefaultPrinter(profiles_, registry_, files_, system_, name);
}

}  // namespace zuba::actions
