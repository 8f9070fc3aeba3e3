#include "core/SettingsTransfer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "system/Errors.h"
#include "testing/TempMachine.h"

namespace zuba::core {
namespace {

constexpr char kIniPath[] = "C:\\ZUBANET\\Zubanet.ini";

class SettingsTransferTest : public ::testing::Test {
 protected:
  SettingsTransferTest() : ini_(machine_.profiles(), machine_.files()), file_(ini_, machine_.files()) {
    ini_.Loaded();
    EXPECT_TRUE(machine_.files().WriteBytes(
        kIniPath,
        "[Initialize]\r\nOpt1=1\r\n[NIC_registry_list]\r\n自宅 LAN=0000\r\n"
        "[自宅 LAN]\r\nip=10.0.0.5\r\nzz=ignored\r\ncp=1\r\n[Mobile]\r\nde=0\r\ncp=0\r\n"));
  }

  std::string Exported() {
    return TransferText(file_, {"自宅 LAN", "Mobile"}, {{"0000", "PCI Fast Ethernet Adapter"}});
  }

  testing::TempMachine machine_;
  TIniGT ini_;
  SettingsFile file_;
};

TEST_F(SettingsTransferTest, ExportedSettingsReadBackWithTheirAdapters) {
  const std::string text = Exported();
  EXPECT_EQ(text,
            "[自宅 LAN]\r\nip=10.0.0.5\r\ncp=1\r\n[Mobile]\r\nde=0\r\ncp=0\r\n"
            "[NIC_registry_list]\r\n自宅 LAN=0000\r\n"
            "[NIC_description_list]\r\n自宅 LAN=PCI Fast Ethernet Adapter\r\n"
            "[ZubaNetTransfer]\r\nFormat=1\r\nCodePage=932\r\nSETTINGS.Count=2\r\n"
            "SETTINGS.0=自宅 LAN\r\nSETTINGS.1=Mobile\r\nText=設定の移行\r\n");
  const TransferRead read = ReadTransferText(text);
  ASSERT_EQ(read.fault, TransferFault::kNone) << read.reason;
  ASSERT_EQ(read.settings.size(), 2u);
  EXPECT_EQ(read.settings[0].name, "自宅 LAN");
  EXPECT_EQ(read.settings[0].entries, (std::vector<std::string>{"ip=10.0.0.5", "cp=1"}));
  EXPECT_EQ(read.settings[0].adapter, "0000");
  EXPECT_EQ(read.settings[0].adapterDescription, "PCI Fast Ethernet Adapter");
  EXPECT_EQ(read.settings[1].adapter, "");

  EXPECT_THROW(TransferText(file_, {"Nowhere"}, {}), system::Exception);
}

TEST_F(SettingsTransferTest, DamagedFilesAndOtherCodePagesAreRefused) {
  const std::string good = Exported();
  auto replaced = [&good](const std::string& from, const std::string& to) {
    std::string text = good;
    text.replace(text.find(from), from.size(), to);
    return text;
  };
  const struct {
    const char* what;
    std::string bytes;
    TransferFault fault;
  } cases[] = {
      {"empty", "", TransferFault::kDamaged},
      {"cut between lines", good.substr(0, good.find("SETTINGS.1")), TransferFault::kDamaged},
      {"cut in the last line", good.substr(0, good.size() - 4), TransferFault::kDamaged},
      {"cut before its last line break", good.substr(0, good.size() - 1), TransferFault::kDamaged},
      {"a zero byte", replaced("10.0.0.5", std::string("10.0\0.5", 7)), TransferFault::kDamaged},
      {"a line that is no key", replaced("cp=0\r\n", "cp0\r\n"), TransferFault::kDamaged},
      {"a listed setting missing", replaced("[Mobile]\r\nde=0\r\ncp=0\r\n", ""),
       TransferFault::kDamaged},
      {"a reserved name", replaced("SETTINGS.1=Mobile", "SETTINGS.1=Initialize"),
       TransferFault::kDamaged},
      {"a byte-order mark", "\xEF\xBB\xBF" + good, TransferFault::kCodePage},
      {"another code page named", replaced("CodePage=932", "CodePage=65001"),
       TransferFault::kCodePage},
      // The probe and a name as UTF-8 spells them.
      {"UTF-8 text", replaced("設定の移行", u8"設定の移行"), TransferFault::kCodePage},
      {"a byte of no character", replaced("Mobile]", "Mobile\xFD]"), TransferFault::kCodePage},
  };
  for (const auto& c : cases) {
    const TransferRead read = ReadTransferText(c.bytes);
    EXPECT_EQ(read.fault, c.fault) << c.what;
    EXPECT_TRUE(read.settings.empty()) << c.what;
    EXPECT_FALSE(read.reason.empty()) << c.what;
  }
}

TEST(BindAdapterTest, SameDescriptionFirstThenOwnKeyThenTheUser) {
  const std::vector<AdapterInfo> here = {{"0001", "Dial-Up Adapter"},
                                         {"0003", "PCI Fast Ethernet Adapter"}};
  const struct {
    const char* adapter;
    const char* description;
    const char* bound;
  } cases[] = {
      {"0000", "PCI Fast Ethernet Adapter", "0003"},  // another key here
      {"0001", "dial-up adapter", "0001"},             // its own key, case aside
      {"0001", "ISA Ethernet", ""},                    // its key holds another card
      {"0003", "", "0003"},                            // no description: the key
      {"0007", "", ""},
      {"", "PCI Fast Ethernet Adapter", ""},  // no TCP/IP
  };
  for (const auto& c : cases) {
    TransferredSetting setting{"x", {"cp=1"}, c.adapter, c.description};
    EXPECT_EQ(BindAdapter(setting, here), c.bound) << c.adapter << " " << c.description;
  }
}

TEST_F(SettingsTransferTest, AnImportedSettingReplacesTheOldOneWhole) {
  const TransferRead read = ReadTransferText(Exported());
  ASSERT_EQ(read.fault, TransferFault::kNone);
  TransferredSetting mobile = read.settings[1];
  mobile.name = "自宅 LAN";
  SettingsFile::Change change(file_);
  WriteImportedSetting(file_, mobile, "");
  WriteImportedSetting(file_, read.settings[1], "0003");
  change.Commit();
  EXPECT_EQ(file_.ReadSettingEntries("自宅 LAN"), (std::vector<std::string>{"de=0", "cp=0"}));
  EXPECT_EQ(file_.ReadAdapter("自宅 LAN"), "");
  EXPECT_EQ(file_.ReadAdapter("Mobile"), "0003");
}

}  // namespace
}  // namespace zuba::core
