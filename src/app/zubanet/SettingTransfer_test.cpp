// Settings taken from one machine to another with zubanet --headless: the
// export on the first machine, the import on a second one whose Ethernet
// card has another adapter key, each answer of the questions, and the
// faults that must leave the second machine's settings file as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/Registry.h"
#include "platform/sim/MachineConfig.h"
#include "testing/MachineTool.h"
#include "testing/TempMachine.h"

namespace zuba::app {
namespace {

using testing::ReadHostFile;

constexpr char kIni[] = "C:\\ZUBANET\\Zubanet.ini";

class SettingTransferTest : public testing::ZubaNetTest {
 protected:
  SettingTransferTest() {
    EXPECT_TRUE(first.files().WriteBytes(
        kIni,
        "[Initialize]\r\nIniConvert=1\r\n[NIC_registry_list]\r\nOffice=0000\r\n"
        "[Office]\r\nip=10.0.0.5\r\nms=255.0.0.0\r\ncp=0\r\n[自宅 LAN]\r\nde=0\r\ncp=1\r\n"));
    // The second machine's Ethernet card is bound through another key.
    platform::Registry& registry = second.registry();
    platform::RegKey key = 0;
    EXPECT_EQ(registry.OpenKey(platform::kHkeyLocalMachine, "Enum\\Network\\MSTCP\\0000", &key), 0);
    platform::RegValue driver;
    driver.type = platform::kRegSz;
    driver.data = std::string("NetTrans\\0004") + '\0';
    EXPECT_EQ(registry.SetValue(key, "Driver", driver), 0);
    registry.CloseKey(key);
    EXPECT_TRUE(second.files().WriteBytes(kIni, kSecondFile));
  }

  // Exports from the first machine and hands the file to the second.
  void Export() {
    ASSERT_EQ(RunZubaNet(first.directory(), "-- /export 'C:\\MOVE.ZNS' Office '自宅 LAN'"), 0)
        << err_;
    ASSERT_EQ(err_, "");
    std::string bytes;
    ASSERT_TRUE(first.files().ReadBytes("C:\\MOVE.ZNS", &bytes));
    ASSERT_TRUE(second.files().WriteBytes("C:\\MOVE.ZNS", bytes));
  }
  // The second machine's settings file from its adapter list on: the
  // window's close writes [Initialize] at every run.
  std::string SecondFile() {
    std::string bytes;
    second.files().ReadBytes(kIni, &bytes);
    return bytes.substr(std::min(bytes.size(), bytes.find("[NIC_registry_list]")));
  }
  static std::string Untouched() {
    const std::string text = kSecondFile;
    return text.substr(text.find("[NIC_registry_list]"));
  }
  bool Has(const std::string& text) { return SecondFile().find(text) != std::string::npos; }

  static constexpr char kSecondFile[] =
      "[Initialize]\r\nIniConvert=1\r\n[NIC_registry_list]\r\nOffice=0001\r\n"
      "[Office]\r\nip=192.168.9.9\r\ncp=0\r\n[SETTINGLIST]\r\nSETTINGS.Count=1\r\n"
      "SETTINGS.0=Office\r\n";
  testing::TempMachine first;
  testing::TempMachine second;
};

TEST_F(SettingTransferTest, ExportedSettingsCarryTheirAdapterDescription) {
  Export();
  const std::string text = ReadHostFile(first.HostPath("drive_c/MOVE.ZNS"));
  EXPECT_NE(text.find("[Office]\r\nip=10.0.0.5\r\nms=255.0.0.0\r\ncp=0\r\n"), std::string::npos);
  EXPECT_NE(text.find("[NIC_description_list]\r\nOffice=PCI Fast Ethernet Adapter\r\n"),
            std::string::npos)
      << text;
  // An unknown name writes nothing.
  ASSERT_EQ(RunZubaNet(first.directory(), "-- /export 'C:\\NONE.ZNS' Nowhere"), 0);
  EXPECT_NE(err_.find(u8"「Nowhere」 という設定はありません"), std::string::npos) << err_;
  EXPECT_EQ(first.files().GetAttributes("C:\\NONE.ZNS"), platform::kInvalidAttributes);
}

// Each answer to the replace question and to the confirmation; the
// imported Office is bound to the second machine's key of the same card.
TEST_F(SettingTransferTest, EachAnswerImportsWhatItSaysAndNothingElse) {
  Export();
  const struct {
    const char* script;
    bool officeReplaced;
    bool homeAdded;
  } cases[] = {
      {"--do 'click BtYes' --answer ok", true, true},
      {"--do 'click BtYesAll' --answer ok", true, true},
      {"--do 'click BtNo' --answer ok", false, true},
      {"--do 'click BtCancel'", false, false},
      {"--do 'click BtYes' --answer cancel", false, false},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(second.files().WriteBytes(kIni, kSecondFile));
    ASSERT_EQ(RunZubaNet(second.directory(), std::string(c.script) + " -- /import 'C:\\MOVE.ZNS'"),
              0)
        << c.script << err_;
    if (!c.officeReplaced && !c.homeAdded) {
      EXPECT_EQ(SecondFile(), Untouched()) << c.script;
      continue;
    }
    EXPECT_EQ(Has("[Office]\r\nip=10.0.0.5\r\nms=255.0.0.0\r\ncp=0\r\n"), c.officeReplaced)
        << c.script;
    EXPECT_EQ(Has("Office=0004\r\n"), c.officeReplaced) << c.script << SecondFile();
    EXPECT_EQ(Has("Office=0001\r\n"), !c.officeReplaced) << c.script;
    EXPECT_EQ(Has("[自宅 LAN]\r\nde=0\r\ncp=1\r\n"), c.homeAdded) << c.script;
    EXPECT_TRUE(Has("SETTINGS.Count=2\r\nSETTINGS.0=Office\r\nSETTINGS.1=自宅 LAN\r\n"))
        << c.script << SecondFile();
  }
}

// A card this machine lacks: the user picks one of its adapters.
TEST_F(SettingTransferTest, ACardThisMachineLacksIsChosenByTheUser) {
  Export();
  std::string bytes;
  ASSERT_TRUE(second.files().ReadBytes("C:\\MOVE.ZNS", &bytes));
  bytes.replace(bytes.find("PCI Fast Ethernet Adapter"), 25, "ISA Ethernet Card");
  ASSERT_TRUE(second.files().WriteBytes("C:\\MOVE.ZNS", bytes));
  ASSERT_EQ(RunZubaNet(second.directory(),
                       "--do 'click BtYes' --do 'choose LbChoices PCI Fast Ethernet Adapter' "
                       "--do 'click BtOk' --answer ok -- /import 'C:\\MOVE.ZNS'"),
            0)
      << err_;
  EXPECT_TRUE(Has("Office=0004\r\n")) << SecondFile();
  // Cancelled at the choice: nothing.
  ASSERT_TRUE(second.files().WriteBytes(kIni, kSecondFile));
  ASSERT_EQ(RunZubaNet(second.directory(),
                       "--do 'click BtYes' --do 'click BtCancel' -- /import 'C:\\MOVE.ZNS'"),
            0);
  EXPECT_EQ(SecondFile(), Untouched());
}

TEST_F(SettingTransferTest, FaultsLeaveTheSettingsFileAsItWas) {
  Export();
  std::string good;
  ASSERT_TRUE(second.files().ReadBytes("C:\\MOVE.ZNS", &good));
  const struct {
    const char* what;
    std::string bytes;
    const char* message;
  } files[] = {
      {"damaged", good.substr(0, good.size() / 2), u8"ファイルが壊れています"},
      {"another code page", "\xEF\xBB\xBF" + good, u8"コードページ 932"},
  };
  for (const auto& f : files) {
    ASSERT_TRUE(second.files().WriteBytes("C:\\BAD.ZNS", f.bytes));
    ASSERT_EQ(RunZubaNet(second.directory(), "--answer ok -- /import 'C:\\BAD.ZNS'"), 0);
    EXPECT_NE(err_.find(f.message), std::string::npos) << f.what << err_;
    EXPECT_EQ(SecondFile(), Untouched()) << f.what;
  }
  // A full disk at the one write of the import.
  ASSERT_TRUE(second.machine().config->Set("Fail", "WriteFile:C:\\ZUBANET\\ZUBANET.INI", "112"));
  ASSERT_EQ(RunZubaNet(second.directory(),
                       "--do 'click BtYesAll' --answer ok --answer ok -- /import 'C:\\MOVE.ZNS'"),
            0);
  EXPECT_NE(err_.find(u8"に書き込めません"), std::string::npos) << err_;
  ASSERT_TRUE(second.machine().config->Set("Fail", "WriteFile:C:\\ZUBANET\\ZUBANET.INI", "0"));
  EXPECT_EQ(SecondFile(), Untouched());
}

}  // namespace
}  // namespace zuba::app
