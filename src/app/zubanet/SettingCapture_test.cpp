// What a user meets when saving a setting with zubanet --headless: each
// refusal with its message, the focus on the field to correct, blanks
// trimmed away in the fields, and only a setting that passes every check in
// the settings file.
#include <gtest/gtest.h>

#include <string>

#include "testing/MachineTool.h"
#include "testing/TempMachine.h"

namespace zuba::app {
namespace {

using testing::ReadHostFile;

class SettingCaptureTest : public testing::ZubaNetTest {
 protected:
  std::string Settings() { return ReadHostFile(machine.HostPath("drive_c/ZUBANET/Zubanet.ini")); }
  static bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  }

  testing::TempMachine machine;
};

TEST_F(SettingCaptureTest, EveryRefusalNamesTheFieldAndNothingIsSavedUntilAllPass) {
  // TCP/IP is on from the start: without an adapter the save is refused.
  ASSERT_EQ(RunZubaNet(machine.directory(),
                       "--do 'click BtConfig' --do 'type EdNm Lab' --do 'click BbOk'"),
            0)
      << err_;
  EXPECT_EQ(err_, u8"[入力誤りです] (error; OK) TCP/IP: ネットワークカードが選択されていません\n");
  EXPECT_FALSE(Has(Settings(), "[Lab]"));

  // The adapter's configuration read, then: a name the settings file could
  // not hold; an address typed with blanks and a DNS host name of blanks;
  // the host name given. The dumps show the fields after the refusals.
  ASSERT_EQ(RunZubaNet(machine.directory(),
                       "--answer yes --do 'click BtConfig' "
                       "--do 'choose CbTnc PCI Fast Ethernet Adapter' --do 'type EdNm Lab]1' "
                       "--do 'click BbOk' --do 'type EdNm Lab 1' --do 'type EdTip  10.1.2.3 ' "
                       "--do 'type EdDhs    ' --do 'click BbOk' --do dump "
                       "--do 'type EdDhs lab ' --do 'click BbOk'"),
            0)
      << err_;
  const std::string refusals = err_;
  EXPECT_TRUE(Has(refusals, u8"[入力誤りです] (error; OK) 設定名に ] と = は使えません。\n")) << refusals;
  EXPECT_TRUE(Has(refusals, u8"[入力誤りです] (error; OK) DNS: ホスト名が未入力です\n")) << refusals;
  EXPECT_TRUE(Has(out_, R"({"name": "EdTip", "kind": "edit", "visible": true, "enabled": true, "text": "10.1.2.3")"))
      << out_;
  EXPECT_TRUE(Has(out_, R"({"name": "EdDhs", "kind": "edit", "visible": true, "enabled": true, "text": "")"))
      << out_;
  const std::string ini = Settings();
  EXPECT_FALSE(Has(ini, "Lab]1"));
  EXPECT_TRUE(Has(ini, "[Lab 1]\r\nip=10.1.2.3\r\n")) << ini;
  EXPECT_TRUE(Has(ini, "\r\ndh=lab\r\n")) << ini;
  EXPECT_TRUE(Has(ini, "[NIC_registry_list]\r\nLab 1=0000\r\n")) << ini;

  // Recalled, the saved setting shows what was stored.
  ASSERT_EQ(RunZubaNet(machine.directory(),
                       "--do 'choose CbSetting Lab 1' --do 'click BtConfig' --do dump"),
            0)
      << err_;
  EXPECT_TRUE(Has(out_, R"("name": "EdTip", "kind": "edit", "visible": true, "enabled": true, "text": "10.1.2.3")"));
  EXPECT_TRUE(Has(out_, R"("name": "EdDhs", "kind": "edit", "visible": true, "enabled": true, "text": "lab")"));
  EXPECT_TRUE(Has(out_, R"("items": ["192.168.1.1", "192.168.1.254"])")) << out_;
}

}  // namespace
}  // namespace zuba::app
