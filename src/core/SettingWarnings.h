// Warnings at save: a setting whose every field has the right form (the
// capture has checked that) but that cannot work as it stands. A gateway
// outside the address's own network, for one, saves, applies and restarts,
// and then reaches nothing. The save shows every finding in one box and
// lets the user save anyway.
//
// These are pure functions of the captured setting and of what the other
// saved settings hold; reading the settings file and showing the box are
// the save's.
#ifndef ZUBA_CORE_SETTINGWARNINGS_H_
#define ZUBA_CORE_SETTINGWARNINGS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "core/RegType.h"

namespace zuba::core {

// The field of the main window a finding is about, in the window's order.
enum class WarningField {
  kAddress,      // IP address (ip)
  kMask,         // subnet mask (ms)
  kGateways,     // the gateway list (gw)
  kDnsServers,   // the DNS server list (di)
  kWinsServers,  // primary and secondary WINS server (wp, ws)
};

struct SettingWarning {
  WarningField field;
  std::string text;  // one line for the user, CP932
};

// Another saved setting, as far as the duplicate-address check needs it.
struct SavedAddress {
  std::string name;
  std::string adapter;  // its adapter subkey ([NIC_registry_list]); empty: none
  std::string address;  // its ip; empty when it has none
};

// An IPv4 address: four runs of one to three ASCII digits, each at most
// 255, joined by single dots, nothing else. False for any other text.
bool ParseAddress(const std::string& text, std::uint32_t* address);

// Whether `setting` carries a fixed address: ip set and neither empty nor
// the "0.0.0.0" a setting by DHCP stores. Only such a setting can share its
// address with another.
bool HasFixedAddress(const TRegList& setting);

// The findings about `setting`, to be saved as `name` with the adapter
// subkey `adapter` (empty without TCP/IP), against the saved settings
// `others`, ordered by WarningField and within a field as listed below.
// Empty: nothing to warn about.
//
// A setting by DHCP (ip "0.0.0.0") is never warned about. An empty field or
// entry is never a finding, nor a value that is no address (ParseAddress)
// where a finding needs its number.
//   kAddress     the address is its network's own address or its broadcast
//                address (a contiguous mask leaving at least two host bits);
//                one finding naming the other settings of the same adapter
//                (subkeys compared without regard to case) with the same
//                fixed address, the first three in the order of `others`
//                and the count of the rest; `name` itself (without regard
//                to case) does not count, as it is about to be replaced;
//   kMask        the mask's one bits are not contiguous (255.0.255.0);
//   kGateways    each gateway outside the address's network (address AND
//                mask differs from gateway AND mask), then each gateway
//                listed more than once; each gateway named once per finding;
//   kDnsServers  each DNS server listed more than once;
//   kWinsServers the same WINS server as primary and secondary.
// Two addresses are the same when their numbers are (010.0.0.1 is 10.0.0.1);
// texts that are no address compare as they stand.
std::vector<SettingWarning> FindSettingWarnings(const TRegList& setting, const std::string& name,
                                                const std::string& adapter,
                                                const std::vector<SavedAddress>& others);

// The text of the box that lists `warnings` (at least one) and asks whether
// to save anyway; and its caption.
std::string SettingWarningsQuestion(const std::vector<SettingWarning>& warnings);
inline constexpr char kSettingWarningsCaption[] = "設定の確認";

}  // namespace zuba::core

#endif  // ZUBA_CORE_SETTINGWARNINGS_H_
