#include "core/SettingWarnings.h"

#include <unordered_map>

#include "platform/Cp932.h"

namespace zuba::core {

namespace {

constexpr char kDhcpAddress[] = "0.0.0.0";
// The duplicate-address finding names at most this many settings.
constexpr int kNamedSettings = 3;

constexpr char kNetworkAddress[] = "TCP/IP: IPアドレス %1 はネットワークアドレスです";
constexpr char kBroadcastAddress[] = "TCP/IP: IPアドレス %1 はブロードキャストアドレスです";
constexpr char kAddressInUse[] = "TCP/IP: IPアドレス %1 は同じネットワークカードの%2でも使われています";
constexpr char kMaskNotContiguous[] = "TCP/IP: サブネットマスク %1 は1のビットが連続していません";
constexpr char kGatewayOutside[] = "TCP/IP: ゲートウェー %1 はIPアドレスと同じネットワークにありません";
constexpr char kGatewayTwice[] = "TCP/IP: ゲートウェー %1 が重複しています";
constexpr char kDnsServerTwice[] = "DNS: DNSサーバー %1 が重複しています";
constexpr char kWinsSame[] = "WINS: プライマリとセカンダリが同じWINSサーバー %1 です";
constexpr char kMoreSettings[] = "ほか%1件";
constexpr char kQuestionHead[] = "この設定では通信できないおそれがあります。\r\n\r\n";
constexpr char kBullet[] = "・";
constexpr char kQuestionTail[] = "\r\nこのまま保存しますか？";

// `pattern` with %1 and %2 replaced (each occurs at most once, and the
// ASCII "%" is never the second byte of a double-byte character).
std::string Format(const char* pattern, const std::string& first, const std::string& second = {}) {
  std::string text;
  for (const char* p = pattern; *p != '\0'; ++p) {
    if (p[0] == '%' && (p[1] == '1' || p[1] == '2')) {
      text += p[1] == '1' ? first : second;
      ++p;
    } else {
      text += *p;
    }
  }
  return text;
}

// The entries of a list value, empty ones left out.
std::vector<std::string> ListEntries(const TNetReg& item) {
  std::vector<std::string> entries;
  std::string::size_type start = 0;
  while (start <= item.Value.size()) {
    std::string::size_type end = item.Value.find(item.Separator, start);
    if (end == std::string::npos) end = item.Value.size();
    if (end > start) entries.push_back(item.Value.substr(start, end - start));
    start = end + 1;
  }
  return entries;
}

// What two entries are compared by: the address's number, or the text of
// an entry that is no address.
std::string Identity(const std::string& text) {
  std::uint32_t number = 0;
  return ParseAddress(text, &number) ? "#" + std::to_string(number) : "$" + text;
}

bool SameAddress(const std::string& a, const std::string& b) { return Identity(a) == Identity(b); }

// Each entry listed more than once, named once as it is first written, in
// the order of the second listings.
std::vector<std::string> Duplicates(const std::vector<std::string>& entries) {
  struct Seen {
    const std::string* first;
    int times;
  };
  std::unordered_map<std::string, Seen> seen;  // identity -> first listing, times listed
  std::vector<std::string> twice;
  for (const std::string& entry : entries) {
    Seen& listed = seen.emplace(Identity(entry), Seen{&entry, 0}).first->second;
    if (++listed.times == 2) twice.push_back(*listed.first);
  }
  return twice;
}

bool IsFixed(const std::string& address) {
  std::uint32_t number = 0;
  if (address.empty() || address == kDhcpAddress) return false;
  return !ParseAddress(address, &number) || number != 0;
}

// The one bits of a contiguous mask counted from the top; -1 for a mask
// whose one bits are not contiguous.
int PrefixLength(std::uint32_t mask) {
  const std::uint32_t inverted = ~mask;
  if ((inverted & (inverted + 1)) != 0) return -1;  // host part not all ones below
  int length = 0;
  while (length < 32 && (mask & (0x80000000u >> length)) != 0) ++length;
  return length;
}

void Add(std::vector<SettingWarning>& warnings, WarningField field, std::string text) {
  warnings.push_back(SettingWarning{field, std::move(text)});
}

void CheckAddressAndMask(const TRegList& setting, const std::string& name,
                         const std::string& adapter, const std::vector<SavedAddress>& others,
                         std::vector<SettingWarning>& warnings) {
  const std::string& address = setting[kIp].Value;
  const std::string& mask = setting[kMs].Value;
  std::uint32_t ip = 0;
  std::uint32_t ms = 0;
  const bool maskNumber = setting[kMs].IsSet && ParseAddress(mask, &ms);
  const int prefix = maskNumber ? PrefixLength(ms) : -1;
  // A /31 or /32 mask has no network and broadcast address of its own.
  if (ParseAddress(address, &ip) && prefix >= 0 && prefix <= 30) {
    const std::uint32_t host = ip & ~ms;
    if (host == 0) Add(warnings, WarningField::kAddress, Format(kNetworkAddress, address));
    if (host == ~ms) Add(warnings, WarningField::kAddress, Format(kBroadcastAddress, address));
  }
  if (!adapter.empty()) {
    std::string names;
    int count = 0;
    for (const SavedAddress& other : others) {
      if (platform::EqualsNoCaseCp932(other.name, name)) continue;
      if (!platform::EqualsNoCaseCp932(other.adapter, adapter)) continue;
      if (!IsFixed(other.address) || !SameAddress(other.address, address)) continue;
      if (++count <= kNamedSettings) names += "【" + other.name + "】";
    }
    if (count > kNamedSettings) names += Format(kMoreSettings, std::to_string(count - kNamedSettings));
    if (!names.empty()) Add(warnings, WarningField::kAddress, Format(kAddressInUse, address, names));
  }
  if (maskNumber && prefix < 0) Add(warnings, WarningField::kMask, Format(kMaskNotContiguous, mask));
}

void CheckGateways(const TRegList& setting, bool fixed, std::vector<SettingWarning>& warnings) {
  const std::vector<std::string> gateways = ListEntries(setting[kGw]);
  std::uint32_t ip = 0;
  std::uint32_t ms = 0;
  if (fixed && ParseAddress(setting[kIp].Value, &ip) && setting[kMs].IsSet &&
      ParseAddress(setting[kMs].Value, &ms)) {
    std::unordered_map<std::string, bool> named;
    for (const std::string& gateway : gateways) {
      std::uint32_t gw = 0;
      if (!ParseAddress(gateway, &gw) || (gw & ms) == (ip & ms)) continue;
      if (named.emplace(Identity(gateway), true).second) {
        Add(warnings, WarningField::kGateways, Format(kGatewayOutside, gateway));
      }
    }
  }
  for (const std::string& gateway : Duplicates(gateways)) {
    Add(warnings, WarningField::kGateways, Format(kGatewayTwice, gateway));
  }
}

}  // namespace

bool ParseAddress(const std::string& text, std::uint32_t* address) {
  std::uint32_t result = 0;
  std::string::size_type i = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (i >= text.size() || text[i] != '.') return false;
      ++i;
    }
    const std::string::size_type start = i;
    unsigned value = 0;
    while (i < text.size() && i - start < 3 && text[i] >= '0' && text[i] <= '9') {
      value = value * 10 + static_cast<unsigned>(text[i] - '0');
      ++i;
    }
    if (i == start || value > 255) return false;
    result = (result << 8) | value;
  }
  if (i != text.size()) return false;
  *address = result;
  return true;
}

bool HasFixedAddress(const TRegList& setting) {
  return setting[kIp].IsSet && IsFixed(setting[kIp].Value);
}

std::vector<SettingWarning> FindSettingWarnings(const TRegList& setting, const std::string& name,
                                                const std::string& adapter,
                                                const std::vector<SavedAddress>& others) {
  std::vector<SettingWarning> warnings;
  // A setting by DHCP takes what the server hands out: nothing to judge.
  if (setting[kIp].IsSet && setting[kIp].Value == kDhcpAddress) return warnings;
  const bool fixed = HasFixedAddress(setting);
  if (fixed) CheckAddressAndMask(setting, name, adapter, others, warnings);
  if (setting[kGw].IsSet) CheckGateways(setting, fixed, warnings);
  if (setting[kDi].IsSet) {
    for (const std::string& server : Duplicates(ListEntries(setting[kDi]))) {
      Add(warnings, WarningField::kDnsServers, Format(kDnsServerTwice, server));
    }
  }
  const TNetReg& primary = setting[kWp];
  const TNetReg& secondary = setting[kWs];
  if (primary.IsSet && secondary.IsSet && !primary.Value.empty() &&
      SameAddress(primary.Value, secondary.Value)) {
    Add(warnings, WarningField::kWinsServers, Format(kWinsSame, primary.Value));
  }
  return warnings;
}

std::string SettingWarningsQuestion(const std::vector<SettingWarning>& warnings) {
  std::string text = kQuestionHead;
  for (const SettingWarning& warning : warnings) text += kBullet + warning.text + "\r\n";
  return text + kQuestionTail;
}

}  // namespace zuba::core
