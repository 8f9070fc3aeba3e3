// The primary logon of Windows 9x: the Windows logon, or the Microsoft
// network client, which can also have the password checked by a Windows NT
// domain. These are the only writers of the program that create keys.
//
// The client default key, "System\CurrentControlSet\Services\Class\NetClient"
// + "\" + instance + "\Ndi\Default" (instance: the network client's class
// subkey, such as "0000"), marks the network client as the primary logon when present,
// with the default value "True". The other values, all below
// HKEY_LOCAL_MACHINE:
//
//   "\Network\Logon" "PrimaryProvider"     "" / "Microsoft Network"
//   "\SOFTWARE\Microsoft\Windows\CurrentVersion\Network\Real Mode Net"
//                    "preferredredir"      "" / "VREDIR"
//   "\System\CurrentControlSet\Services\MSNP32\NetworkProvider"
//                    "AuthenticatingAgent" the domain (both logons)
//   "\Network\Logon" "LMLogon"             1 with a domain, 0 without (32-bit integer)
//
// Registry errors while writing (ERegistryException) pass to the caller.
#ifndef ZUBA_NETWORK_CHGLOGON_H_
#define ZUBA_NETWORK_CHGLOGON_H_

#include <string>

#include "platform/Registry.h"
#include "system/jstrm.h"

namespace zuba::network {

// The logon provider choices of item lo.
enum LogonProvider : int {
  kWindowsLogon = 0,
  kNetworkClientLogon = 1,
  kOtherLogon = 2,  // leave the logon as it is
};

// The client default key path (without a leading backslash), or the empty
// text when no Microsoft network client is installed. The client is the
// first key at or below the NetClient class key whose "DriverDesc" is
// "Microsoft ﾈｯﾄﾜｰｸ ｸﾗｲｱﾝﾄ" (half-width katakana) without regard to case,
// else the first whose "DriverDesc" is "Microsoft ネットワーク クライアント"
// (full width). A "DriverDesc" that is not a string raises
// ERegistryException.
std::string FindClientDefaultKey(platform::Registry& registry, const system::LeadBytes& lead);

// kNetworkClientLogon when the client default key exists, else kWindowsLogon;
// kOtherLogon is never answered.
int GetLogonProviderIndex(platform::Registry& registry, const system::LeadBytes& lead);

// Makes the Windows logon the primary one: removes the client's default value
// and then its default key, empties "PrimaryProvider" and "preferredredir"
// (each only where its key exists), then SetAuthenticatingDomain.
void SetWindowsLogon(platform::Registry& registry, const system::LeadBytes& lead,
                     const std::string& domain);

// Makes the network client the primary logon: creates the client default key
// with the default value "True", writes "PrimaryProvider" and
// "preferredredir" (each only where its key exists), then
// SetAuthenticatingDomain. Without a network client nothing at all changes,
// not even the domain.
void SetNetworkClientLogon(platform::Registry& registry, const system::LeadBytes& lead,
                           const std::string& domain);

// Writes "AuthenticatingAgent" = `domain` (an empty domain as an empty
// string), creating its key when missing, and "LMLogon" = 1 when `domain` is
// not empty, else 0, where "\Network\Logon" exists.
void SetAuthenticatingDomain(platform::Registry& registry, const std::string& domain);

// kWindowsLogon runs SetWindowsLogon, kNetworkClientLogon runs
// SetNetworkClientLogon; every other choice changes nothing.
void ChangeLogonProvider(platform::Registry& registry, const system::LeadBytes& lead, int choice,
                         const std::string& domain);

}  // namespace zuba::network

#endif  // ZUBA_NETWORK_CHGLOGON_H_
