#include "core/SettingWarnings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zuba::core {
namespace {

// A captured setting: the TCP/IP items with TCP/IP on, the DNS servers and
// the WINS servers; "-" leaves an item unset.
TRegList Captured(const std::string& ip, const std::string& ms, const std::string& gw,
                  const std::string& di = "-", const std::string& wp = "",
                  const std::string& ws = "") {
  TRegList setting;
  setting[kGw].Separator = ',';
  setting[kDi].Separator = ',';
  const std::pair<int, const std::string*> items[] = {{kIp, &ip}, {kMs, &ms}, {kGw, &gw},
                                                      {kDi, &di}, {kWp, &wp}, {kWs, &ws}};
  for (const auto& [index, value] : items) {
    if (*value == "-") continue;
    setting[index].Value = *value;
    setting[index].IsSet = true;
  }
  return setting;
}

// Each finding as "field: text", field by its initial.
std::vector<std::string> Lines(const std::vector<SettingWarning>& warnings) {
  std::vector<std::string> lines;
  for (const SettingWarning& warning : warnings) {
    const char* field = "AMGDW" + static_cast<int>(warning.field);
    lines.push_back(std::string(field, 1) + ": " + warning.text);
  }
  return lines;
}

TEST(SettingWarningsTest, FindingsOfOneSetting) {
  struct Case {
    const char* what;
    TRegList setting;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"a working setting", Captured("192.168.1.10", "255.255.255.0", "192.168.1.1,192.168.1.254",
                                     "10.0.0.1,10.0.0.2", "10.0.0.3", "10.0.0.4"),
       {}},
      {"DHCP: nothing is judged, not even entries typed twice",
       Captured("0.0.0.0", "0.0.0.0", "10.9.9.9,10.9.9.9", "1.1.1.1,1.1.1.1"), {}},
      {"without TCP/IP, and empty fields and entries",
       Captured("-", "-", "-", ",,", "", ""), {}},
      {"a gateway inside a wide network", Captured("10.1.2.3", "255.0.0.0", "10.200.0.1"), {}},
      {"a mask that is not contiguous, the gateway judged by it",
       Captured("10.1.2.3", "255.0.255.0", "10.9.2.1"),
       {"M: TCP/IP: サブネットマスク 255.0.255.0 は1のビットが連続していません"}},
      {"the broadcast address", Captured("172.16.255.255", "255.255.0.0", ""),
       {"A: TCP/IP: IPアドレス 172.16.255.255 はブロードキャストアドレスです"}},
      {"a /30 has a broadcast address; /31 and /32 have none",
       Captured("10.0.0.3", "255.255.255.252", ""),
       {"A: TCP/IP: IPアドレス 10.0.0.3 はブロードキャストアドレスです"}},
      {"/31", Captured("10.0.0.0", "255.255.255.254", ""), {}},
      {"/32", Captured("10.0.0.1", "255.255.255.255", ""), {}},
      {"the same address written two ways is one gateway",
       Captured("10.0.0.5", "255.255.255.0", "10.0.0.1,010.000.0.01"),
       {"G: TCP/IP: ゲートウェー 10.0.0.1 が重複しています"}},
      {"an address over 255 is left to the apply's check",
       Captured("300.1.1.1", "255.255.255.0", "10.0.0.1"), {}},
      {"every field at once, in the window's order; a broken mask has no broadcast address",
       Captured("10.0.0.255", "255.255.0.255", "10.1.0.1,10.1.0.1", "3.3.3.3,3.3.3.3", "4.4.4.4",
                "4.4.4.4"),
       {"M: TCP/IP: サブネットマスク 255.255.0.255 は1のビットが連続していません",
        "G: TCP/IP: ゲートウェー 10.1.0.1 はIPアドレスと同じネットワークにありません",
        "G: TCP/IP: ゲートウェー 10.1.0.1 が重複しています",
        "D: DNS: DNSサーバー 3.3.3.3 が重複しています",
        "W: WINS: プライマリとセカンダリが同じWINSサーバー 4.4.4.4 です"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Lines(FindSettingWarnings(c.setting, "Lab", "0000", {})), c.lines) << c.what;
  }
}

TEST(SettingWarningsTest, AddressOfAnotherSettingOfTheSameAdapter) {
  const std::vector<SavedAddress> saved = {
      {"Office", "0000", "192.168.1.10"},  // the same adapter and address
      {"lab", "0000", "192.168.1.10"},     // the setting being replaced
      {"Home", "0001", "192.168.1.10"},    // another adapter
      {"Cafe", "0000", "0.0.0.0"},         // DHCP
      {"Plain", "0000", ""},               // no TCP/IP
      {"Annex", "0000", "192.168.001.010"},
  };
  const TRegList setting = Captured("192.168.1.10", "255.255.255.0", "");
  EXPECT_EQ(Lines(FindSettingWarnings(setting, "Lab", "0000", saved)),
            std::vector<std::string>{
                "A: TCP/IP: IPアドレス 192.168.1.10 は同じネットワークカードの【Office】【Annex】"
                "でも使われています"});
  // Three are named, the rest counted.
  std::vector<SavedAddress> many = saved;
  for (const char* more : {"Third", "Fourth", "Fifth"}) many.push_back({more, "0000", "192.168.1.10"});
  EXPECT_EQ(Lines(FindSettingWarnings(setting, "Lab", "0000", many)),
            std::vector<std::string>{
                "A: TCP/IP: IPアドレス 192.168.1.10 は同じネットワークカードの【Office】【Annex】"
                "【Third】ほか2件でも使われています"});
  // Another adapter has settings of its own; without an adapter nothing is shared.
  EXPECT_EQ(FindSettingWarnings(setting, "Lab", "0001", saved).size(), 1u);
  EXPECT_TRUE(FindSettingWarnings(setting, "Lab", "", saved).empty());
  EXPECT_TRUE(FindSettingWarnings(Captured("0.0.0.0", "0.0.0.0", ""), "Lab", "0000",
                                  {{"Cafe", "0000", "0.0.0.0"}})
                  .empty());
  EXPECT_TRUE(HasFixedAddress(setting));
  EXPECT_FALSE(HasFixedAddress(Captured("0.0.0.0", "0.0.0.0", "")));
}

TEST(SettingWarningsTest, ParseAddressAndTheQuestion) {
  std::uint32_t address = 0;
  EXPECT_TRUE(ParseAddress("255.0.10.1", &address));
  EXPECT_EQ(address, 0xFF000A01u);
  for (const char* bad : {"", "1.2.3", "1.2.3.4.", "1.2.3.256", "1.2.3.0004", " 1.2.3.4", "1..3.4",
                          "a.b.c.d"}) {
    EXPECT_FALSE(ParseAddress(bad, &address)) << bad;
  }
  EXPECT_EQ(SettingWarningsQuestion({{WarningField::kMask, "one"}, {WarningField::kGateways, "two"}}),
            "この設定では通信できないおそれがあります。\r\n\r\n・one\r\n・two\r\n\r\n"
            "このまま保存しますか？");
}

}  // namespace
}  // namespace zuba::core
