// The dial-up values of a Setting: automatic dialling (item pc), automatic
// disconnection (pd), the default dial-up connection (pf) and the dialling
// location (tl), as the system keeps them: the connections and locations
// the machine has, the values in force, and their write when a Setting is
// applied.
//
// Where the values live:
//   HKCU \Software\Microsoft\Windows\CurrentVersion\Internet Settings
//        "EnableAutodial", "EnableAutodisconnect": 4 bytes binary, 1 or 0
//   HKCU \RemoteAccess "InternetProfile": the default connection's name
//   HKCU \RemoteAccess\Profile: one subkey per connection
//   HKLM \SOFTWARE\Microsoft\Windows\CurrentVersion\Telephony\Locations
//        "CurrentID", and below it one key per location with "Name" and
//        "ID" (Windows 98); without that key, telephon.ini in the Windows
//        directory (Windows 95, see TelephonIni.h).
// The registry's locations are chosen by name, the file's by position.
//
// No operation reports an error to the user: missing keys, values or files
// read as off and empty and make writes do nothing. Data of the wrong kind
// in the registry raises ERegistryException.
#ifndef ZUBA_ACTIONS_DIALUPSETTINGS_H_
#define ZUBA_ACTIONS_DIALUPSETTINGS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "actions/InternetSettings.h"
#include "actions/TelephonIni.h"
#include "network/DialUpSource.h"
#include "platform/Files.h"
#include "platform/Profiles.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "system/MyRegs.h"
#include "system/jstrm.h"

namespace zuba::actions {

inline constexpr char kRemoteAccessKey[] = "\\RemoteAccess";
inline constexpr char kInternetProfileValue[] = "InternetProfile";
inline constexpr char kConnectionsKey[] = "\\RemoteAccess\\Profile";
inline constexpr char kLocationsKey[] =
    "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Telephony\\Locations";

class DialUpSettings : public network::DialUpSource {
 public:
  // Reads the connection and location lists once; they are not read again
  // while the object lives. The services must outlive it.
  DialUpSettings(platform::Registry& registry, platform::Profiles& profiles,
                 platform::Files& files, platform::System& system);

  // The dial-up connections (subkeys of HKCU \RemoteAccess\Profile; none
  // when the key is missing) and the locations (GetLocationNames), as read
  // at creation.
  const std::vector<std::string>& ConnectionNames() const { return connectionNames_; }
  const std::vector<std::string>& LocationNames() const { return locationNames_; }

  // The values in force: each flag on when its value is non-zero (a 4-byte
  // binary value or a 32-bit integer; missing reads as off), the default
  // connection (empty when missing), GetCurrentLocationName.
  network::DialUpValues ReadCurrent() override;

  // Writes both flags as 4-byte binary 1 or 0, "InternetProfile" (also
  // when empty), then SetCurrentLocation with the location's position in
  // LocationNames (without regard to case; -1 when it is not listed).
  // False when telephon.ini refused the location (SetCurrentLocation).
  bool Apply(bool autoDial, bool autoDisconnect, const std::string& connectionName,
             const std::string& locationName);

  // Appends the locations' names: every key at or below the Locations key
  // that has a value "Name", in the search's order (descendants before
  // their parent); when there is none, the names of telephon.ini.
  void GetLocationNames(std::vector<std::string>& names);

  // The current location's name. With the Locations key: the "Name" of the
  // first location whose "ID" equals "CurrentID"; empty when "CurrentID" is
  // missing or no ID matches. Without the key: the entry at the index of
  // telephon.ini's "CurrentLocation" in a fresh GetLocationNames list;
  // empty when the index is no number or lies outside the list.
  std::string GetCurrentLocationName();

  // Makes a location the current one. With location keys in the registry:
  // the first whose "Name" equals `name` exactly (letter case counts) has
  // its "ID" written as "CurrentID" (4 bytes binary); nothing when no name
  // matches or the matching key has no "ID". Without them: telephon.ini's
  // "CurrentLocation" := "index,index" when 0 <= `index` < N. False only
  // when telephon.ini refused that write; a location that is not listed
  // changes nothing and answers true.
  bool SetCurrentLocation(std::int32_t index, const std::string& name);

 private:
  system::NameList LocationKeys(const std::string& valueName);
  TelephonIni File();

  platform::Registry& registry_;
  platform::Profiles& profiles_;
  platform::Files& files_;
  system::LeadBytes lead_;
  std::vector<std::string> connectionNames_;
  std::vector<std::string> locationNames_;
};

}  // namespace zuba::actions

#endif  // ZUBA_ACTIONS_DIALUPSETTINGS_H_
