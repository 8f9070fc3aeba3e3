// The printer, dial-up and proxy values of the machine as `show` reads them,
// straight from the registry and the profile files. They implement the
// interfaces through which the reading of the current configuration asks the
// program's own components, so `show` reads everything through that reader.
#ifndef ZUBA_APP_MACHINE_MACHINESOURCES_H_
#define ZUBA_APP_MACHINE_MACHINESOURCES_H_

#include <string>

#include "platform/Profiles.h"
#include "platform/Registry.h"
#include "system/DefaultPrinterSource.h"
#include "system/DialUpSource.h"
#include "system/ProxySource.h"
#include "system/jstrm.h"

namespace zuba::app {

// win.ini [windows] device up to its first comma.
class WinIniDefaultPrinter : public system::DefaultPrinterSource {
 public:
  explicit WinIniDefaultPrinter(platform::Profiles& profiles) : profiles_(profiles) {}
  std::string GetDefaultPrinter() override;

 private:
  platform::Profiles& profiles_;
};

// HKEY_CURRENT_USER "EnableAutodial", "EnableAutodisconnect" (4-byte binary,
// a missing value is off) and RemoteAccess "InternetProfile"; the telephony
// location whose "ID" is "CurrentID" of HKEY_LOCAL_MACHINE's Telephony
// Locations key, or, without that key, the telephon.ini location at the index
// after the first comma of "CurrentLocation".
class MachineDialUp : public system::DialUpSource {
 public:
  MachineDialUp(platform::Registry& registry, platform::Profiles& profiles,
                const system::LeadBytes& lead)
      : registry_(registry), profiles_(profiles), lead_(lead) {}
  system::DialUpValues ReadCurrent() override;

 private:
  std::string CurrentLocationName();
  std::string TelephonIniLocationName();

  platform::Registry& registry_;
  platform::Profiles& profiles_;
  const system::LeadBytes& lead_;
};

// HKEY_CURRENT_USER "ProxyEnable" (4-byte binary, a missing value is off),
// "ProxyServer" and "AutoConfigURL" of Internet Settings.
class MachineProxy : public system::ProxySource {
 public:
  explicit MachineProxy(platform::Registry& registry) : registry_(registry) {}
  system::ProxyValues ReadCurrent() override;

 private:
  platform::Registry& registry_;
};

}  // namespace zuba::app

#endif  // ZUBA_APP_MACHINE_MACHINESOURCES_H_
