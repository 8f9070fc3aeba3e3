// The reading of the current configuration takes the printer, dial-up and
// proxy items from this layer's services.
#include <gtest/gtest.h>

#include "actions/DialUpSettings.h"
#include "actions/Printers.h"
#include "actions/ProxySettings.h"
#include "network/CurrentConfig.h"
#include "testing/TempMachine.h"

namespace zuba::actions {
namespace {

using platform::sim::OsKind;

// "value" for a set item, "-" for an unset one.
std::string Shown(const core::TNetReg& item) { return item.IsSet ? item.Value : "-"; }

class CurrentConfigSourcesTest : public ::testing::TestWithParam<OsKind> {
 protected:
  core::TRegList Read() {
    core::TRegList list;
    network::CurrentConfig reader(machine_.registry(), machine_.system(), printer_, dialUp_, proxy_);
    reader.ReadCurrentConfig("0000", false, list);
    return list;
  }

  testing::TempMachine machine_{GetParam()};
  Printers printer_{machine_.profiles(), machine_.registry(), machine_.files(), machine_.system()};
  DialUpSettings dialUp_{machine_.registry(), machine_.profiles(), machine_.files(),
                         machine_.system()};
  ProxySettings proxy_{machine_.registry()};
};

TEST_P(CurrentConfigSourcesTest, TheServicesFillTheirItems) {
  core::TRegList list = Read();
  EXPECT_EQ(Shown(list[core::kPr]), "レーザー プリンタ");
  EXPECT_EQ(Shown(list[core::kPc]), "1");
  EXPECT_EQ(Shown(list[core::kPd]), "0");
  EXPECT_EQ(Shown(list[core::kPf]), "自宅プロバイダ");
  EXPECT_EQ(Shown(list[core::kTl]), "自宅");
  EXPECT_EQ(Shown(list[core::kPe]), "0");
  EXPECT_EQ(Shown(list[core::kPv]), "proxy.example.co.jp:8080");
  EXPECT_EQ(Shown(list[core::kPa]), "http://proxy.example.co.jp/proxy.pac");

  // What the services apply is what is read next time.
  ASSERT_EQ(printer_.SwitchTo(printer_.InstalledPrinters().at(1)), PrinterSwitch::kSwitched);
  dialUp_.Apply(false, true, "", "会社");
  proxy_.Apply(true, "gate:3128", "");
  list = Read();
  EXPECT_EQ(Shown(list[core::kPr]), "カラー プリンタ");
  EXPECT_EQ(Shown(list[core::kPc]), "0");
  EXPECT_EQ(Shown(list[core::kPd]), "1");
  EXPECT_EQ(Shown(list[core::kPf]), "-");  // empty: not set
  EXPECT_EQ(Shown(list[core::kTl]), "会社");
  EXPECT_EQ(Shown(list[core::kPe]), "1");
  EXPECT_EQ(Shown(list[core::kPv]), "gate:3128");
  EXPECT_EQ(Shown(list[core::kPa]), "");
}

INSTANTIATE_TEST_SUITE_P(Machines, CurrentConfigSourcesTest,
                         ::testing::Values(OsKind::kWin98, OsKind::kWin95, OsKind::kNt));

}  // namespace
}  // namespace zuba::actions
