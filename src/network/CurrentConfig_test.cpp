#include "network/CurrentConfig.h"

#include <gtest/gtest.h>

#include "network/ChgDNS.h"
#include "network/ChgLogon.h"
#include "network/ChgWINS.h"
#include "testing/NetMachine.h"
#include "testing/TestMachine.h"

namespace zuba::network {
namespace {

using core::TRegList;
using testing::Template;

class FixedPrinter : public DefaultPrinterSource {
 public:
  std::string GetDefaultPrinter() override { return name; }
  std::string name = "レーザー プリンタ";
};
class FixedDialUp : public DialUpSource {
 public:
  DialUpValues ReadCurrent() override { return values; }
  DialUpValues values{true, false, "自宅プロバイダ", ""};
};
class FixedProxy : public ProxySource {
 public:
  ProxyValues ReadCurrent() override { return values; }
  ProxyValues values{false, "proxy:8080", ""};
};

// "value" for a set item, "-" for an unset one.
std::string Shown(const core::TNetReg& item) { return item.IsSet ? item.Value : "-"; }

class CurrentConfigTest : public ::testing::TestWithParam<Template> {
 protected:
  TRegList Read(const std::string& subkey, bool force = false) {
    TRegList list;
    list[core::kHh].IsSet = true;  // a fresh table replaces whatever was there
    reader_.ReadCurrentConfig(subkey, force, list);
    return list;
  }

  testing::TestMachine machine_{GetParam()};
  FixedPrinter printer_;
  FixedDialUp dialUp_;
  FixedProxy proxy_;
  CurrentConfig reader_{machine_.registry(), machine_.system(), printer_, dialUp_, proxy_};
};

TEST_P(CurrentConfigTest, TheTemplatesConfiguration) {
  const bool win98 = GetParam() == Template::kWin98;
  TRegList list = Read("0000");
  std::vector<std::string> items;
  for (int i = 0; i < core::kItemCount; ++i) items.push_back(Shown(list[i]));
  // clang-format off
  EXPECT_EQ(items, (std::vector<std::string>{
      "192.168.1.10", "192.168.1.1,192.168.1.254", "255.255.255.0",          // ip gw ms
      "1", "zubapc", "example.co.jp", "192.168.1.2,192.168.1.3",              // de dh dd di
      "example.co.jp,example.jp", "WORKGROUP", "ZUBAPC",                      // ds wg lc
      "ソフト開発部 表示端末", "Yes", "No", "taro", "ZUBADOM",                // cc fs ps li ld
      "192.168.1.2", "192.168.1.3", "8", "",                                  // wp ws nt wi
      "1", "-", "-", "-", "-",                                                // lo hh hl ee eo
      "0", "proxy:8080", "", "-",                                             // pe pv pa cp
      "自宅プロバイダ", "1", "0", "-", "レーザー プリンタ"}));                // pf pc pd tl pr
  // clang-format on
  EXPECT_EQ(list[core::kWp].KeyPath,
            win98 ? "\\System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000"
                  : "\\System\\CurrentControlSet\\Services\\VxD\\MSTCP");

  // The dial-up adapter has no gateway value: set and empty. The card's
  // WINS values are not the dial-up adapter's in Win98 mode.
  list = Read("0001");
  EXPECT_EQ(Shown(list[core::kIp]), "0.0.0.0");
  EXPECT_EQ(Shown(list[core::kGw]), "");
  EXPECT_EQ(Shown(list[core::kWp]), win98 ? "" : "192.168.1.2");
}

TEST_P(CurrentConfigTest, ForcedWin98ModeReadsWinsFromTheAdapter) {
  TRegList list = Read("0000", /*force=*/true);
  // Windows 95 keeps them under MSTCP: the adapter's key exists without them.
  const std::string primary = GetParam() == Template::kWin98 ? "192.168.1.2" : "";
  EXPECT_EQ(Shown(list[core::kWp]), primary);
  EXPECT_EQ(Shown(list[core::kNt]), GetParam() == Template::kWin98 ? "8" : "");
}

TEST_P(CurrentConfigTest, MissingKeysValuesAndBadDataLeaveItemsUnsetOrEmpty) {
  testing::EditRegistry(machine_.registry(), R"(
[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\MSTCP]
"EnableDNS"=-
"HostName"=-
"Domain"=dword:00000001
[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\VxD\VNETSUP]
[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetTrans\0000]
"IPAddress"=hex:0a,00,00,05
)");
  TRegList list = Read("0000");
  EXPECT_EQ(Shown(list[core::kIp]), "-");  // a registry error drops only this item
  EXPECT_EQ(Shown(list[core::kMs]), "255.255.255.0");
  EXPECT_EQ(Shown(list[core::kDe]), "");  // key there, value not: set and empty
  EXPECT_EQ(Shown(list[core::kDh]), "");
  EXPECT_EQ(Shown(list[core::kDd]), "-");
  EXPECT_EQ(Shown(list[core::kWg]), "-");  // key missing: unset
  EXPECT_EQ(Shown(list[core::kFs]), "-");
  EXPECT_EQ(Shown(list[core::kLc]), "ZUBAPC");

  // No adapter known: nothing is read from the NetTrans class key itself.
  list = Read("");
  EXPECT_EQ(Shown(list[core::kIp]), "-");
  EXPECT_EQ(Shown(list[core::kGw]), "-");
  EXPECT_EQ(Shown(list[core::kLc]), "ZUBAPC");
  list = Read("0042");
  EXPECT_EQ(Shown(list[core::kMs]), "-");
}

TEST_P(CurrentConfigTest, ComponentValuesAreSetOnlyWhereTheyHaveText) {
  dialUp_.values = {false, true, "", "会社"};
  proxy_.values = {true, "", ""};
  printer_.name = "";
  TRegList list = Read("0000");
  EXPECT_EQ(Shown(list[core::kPc]), "0");
  EXPECT_EQ(Shown(list[core::kPd]), "1");
  EXPECT_EQ(Shown(list[core::kPf]), "-");
  EXPECT_EQ(Shown(list[core::kTl]), "会社");
  EXPECT_EQ(Shown(list[core::kPe]), "1");
  EXPECT_EQ(Shown(list[core::kPv]), "");
  EXPECT_EQ(Shown(list[core::kPr]), "");
}

// A Setting written by the writers as the apply flow calls them reads back
// equal.
TEST_P(CurrentConfigTest, WrittenSettingReadsBackEqual) {
  for (bool force : {false, true}) {
    TRegList setting;
    core::InitRegList(setting, force, machine_.system());
    // clang-format off
    const std::pair<int, const char*> values[] = {
        {core::kIp, "10.1.2.3"}, {core::kGw, "10.1.2.1,10.1.2.254"}, {core::kMs, "255.255.0.0"},
        {core::kDe, "1"}, {core::kDh, "ソフト"}, {core::kDd, "corp.example"},
        {core::kDi, "10.1.0.53"}, {core::kDs, ""}, {core::kWg, "作業グループ"},
        {core::kLc, "PC2"}, {core::kCc, "表示"}, {core::kFs, "No"}, {core::kPs, "Yes"},
        {core::kLi, "jiro"}, {core::kLd, ""}, {core::kWp, "10.1.0.2"}, {core::kWs, ""},
        {core::kNt, "8"}, {core::kWi, "scope"}, {core::kLo, force ? "0" : "1"}};
    // clang-format on
    for (auto [index, value] : values) {
      setting[index].Value = value;
      setting[index].IsSet = true;
    }
    TRegList applied = setting;
    ASSERT_TRUE(AppendAdapterSubkey(applied, "0001", force, machine_.system()));
    WriteGenericItems(machine_.registry(), applied);
    ClearDnsValues(machine_.registry(), machine_.system(), applied[core::kDe].Value);
    WriteWinsItems(machine_.registry(), applied[core::kWp], applied[core::kWs], applied[core::kWi],
                   applied[core::kNt]);
    ChangeLogonProvider(machine_.registry(), system::LeadBytes(machine_.system()),
                        std::stoi(applied[core::kLo].Value), applied[core::kLd].Value);

    TRegList read = Read("0001", force);
    for (auto [index, value] : values) {
      EXPECT_EQ(Shown(read[index]), value) << setting[index].KeyCode << " force " << force;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Templates, CurrentConfigTest,
                         ::testing::ValuesIn(testing::AvailableTemplates()), [](const auto& info) {
                           return info.param == Template::kWin98 ? "Win98" : "Win95";
                         });

}  // namespace
}  // namespace zuba::network
