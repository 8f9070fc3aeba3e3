// A user saving a setting that has the right form but cannot work, with
// zubanet --headless on the template machine: the box lists every finding;
// No goes back to editing with the focus on the first field named and
// saves nothing, Yes saves the setting as it is. The option menu turns the
// warnings off.
//
// The Ethernet adapter's current configuration, which every story starts
// from, is a working one: 192.168.1.10/255.255.255.0, gateways 192.168.1.1
// and 192.168.1.254, DNS servers 192.168.1.2 and 192.168.1.3, WINS servers
// 192.168.1.2 and 192.168.1.3.
#include <gtest/gtest.h>

#include <string>

#include "testing/MachineTool.h"
#include "testing/TempMachine.h"

namespace zuba::app {
namespace {

using testing::ReadHostFile;

// Edit mode, the adapter's configuration read (the question answered by
// the first --answer), the name Lab typed.
constexpr char kStartLab[] =
    "--do 'click BtConfig' --do 'choose CbTnc PCI Fast Ethernet Adapter' --do 'type EdNm Lab' ";
constexpr char kReadQuestion[] = u8"[ZubaNet] (question; Yes/No) 現在のTCP/IP設定を読み取りますか？\n";

// The box as the headless front-end writes it, listing `findings`.
std::string Box(const std::string& findings) {
  return u8"[設定の確認] (warning; Yes/No) この設定では通信できないおそれがあります。\\n\\n" +
         findings + u8"\\nこのまま保存しますか？\n";
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class SaveWarningsTest : public testing::ZubaNetTest {
 protected:
  std::string Settings(const testing::TempMachine& machine) {
    return ReadHostFile(machine.HostPath("drive_c/ZUBANET/Zubanet.ini"));
  }
};

TEST_F(SaveWarningsTest, EachFindingAnsweredNoThenYes) {
  struct Story {
    const char* what;
    const char* steps;     // after kStartLab
    const char* findings;  // the box's lines
    const char* focus;     // after No
  };
  const Story stories[] = {
      {"a gateway outside the network", "--do 'type EdTms 255.255.255.128' ",
       u8"・TCP/IP: ゲートウェー 192.168.1.254 はIPアドレスと同じネットワークにありません\\n",
       "LbTgw"},
      {"a mask that is not contiguous", "--do 'type EdTms 255.0.255.0' ",
       u8"・TCP/IP: サブネットマスク 255.0.255.0 は1のビットが連続していません\\n", "EdTms"},
      {"the network's own address", "--do 'type EdTip 192.168.1.0' ",
       u8"・TCP/IP: IPアドレス 192.168.1.0 はネットワークアドレスです\\n", "EdTip"},
      {"the address of a saved setting of the same adapter",
       "--do 'type EdNm Office' --do 'click BbOk' --do 'click BtConfig' --do 'type EdNm Lab' ",
       u8"・TCP/IP: IPアドレス 192.168.1.10 は同じネットワークカードの【Office】でも使われています\\n",
       "EdTip"},
      {"a gateway listed twice", "--do 'type EdTgw 192.168.1.1' --do 'key EdTgw Return' ",
       u8"・TCP/IP: ゲートウェー 192.168.1.1 が重複しています\\n", "LbTgw"},
      {"a DNS server listed twice", "--do 'type EdDip 192.168.1.3' --do 'key EdDip Return' ",
       u8"・DNS: DNSサーバー 192.168.1.3 が重複しています\\n", "LbDip"},
      {"one WINS server as primary and secondary",
       "--do 'click BtWins' --do 'type EdWsc 192.168.1.2' --do 'click BbOk' ",
       u8"・WINS: プライマリとセカンダリが同じWINSサーバー 192.168.1.2 です\\n", "BtWins"},
  };
  for (const Story& story : stories) {
    SCOPED_TRACE(story.what);
    testing::TempMachine machine;
    ASSERT_EQ(RunZubaNet(machine.directory(), std::string("--answer yes --answer no --answer yes ") +
                                                  kStartLab + story.steps +
                                                  "--do 'click BbOk' --do dump --do 'click BbOk'"),
              0)
        << err_;
    // One box per save of Lab: No, then Yes.
    EXPECT_EQ(err_, kReadQuestion + Box(story.findings) + Box(story.findings));
    // After No: still editing Lab, the focus on the field named first.
    EXPECT_TRUE(Has(out_, R"("client": [541, 382])")) << out_;
    EXPECT_TRUE(Has(out_, std::string(R"("focus": ")") + story.focus + "\"}")) << out_;
    EXPECT_TRUE(Has(out_, R"({"name": "EdNm", "kind": "edit", "visible": true, "enabled": true, "text": "Lab")"));
    // After Yes: saved as it is.
    EXPECT_TRUE(Has(Settings(machine), "[Lab]\r\nip=")) << Settings(machine);
  }
}

TEST_F(SaveWarningsTest, SeveralFindingsInOneBoxInTheWindowsOrder) {
  testing::TempMachine machine;
  ASSERT_EQ(RunZubaNet(machine.directory(),
                       std::string("--answer yes --answer no ") + kStartLab +
                           "--do 'click BtWins' --do 'type EdWsc 192.168.1.2' --do 'click BbOk' "
                           "--do 'type EdDip 192.168.1.2' --do 'key EdDip Return' "
                           "--do 'type EdTip 192.168.1.255' --do 'click BbOk' --do dump"),
            0)
      << err_;
  EXPECT_EQ(err_, kReadQuestion +
                      Box(u8"・TCP/IP: IPアドレス 192.168.1.255 はブロードキャストアドレスです\\n"
                          u8"・DNS: DNSサーバー 192.168.1.2 が重複しています\\n"
                          u8"・WINS: プライマリとセカンダリが同じWINSサーバー 192.168.1.2 です\\n"));
  EXPECT_TRUE(Has(out_, R"("focus": "EdTip"})")) << out_;
  EXPECT_FALSE(Has(Settings(machine), "[Lab]"));
}

TEST_F(SaveWarningsTest, WorkingAndDhcpSettingsSaveWithoutABox) {
  testing::TempMachine machine;
  // Office as read; Cafe by DHCP, whose address fields still hold Office's
  // address and whose gateways no address judges.
  ASSERT_EQ(RunZubaNet(machine.directory(),
                       std::string("--answer yes ") + kStartLab +
                           "--do 'type EdNm Office' --do 'click BbOk' --do 'click BtConfig' "
                           "--do 'click CbTdh' --do 'type EdNm Cafe' --do 'click BbOk' "
                           "--do dump"),
            0)
      << err_;
  EXPECT_EQ(err_, kReadQuestion);
  const std::string ini = Settings(machine);
  EXPECT_TRUE(Has(ini, "[Office]\r\nip=192.168.1.10\r\n")) << ini;
  EXPECT_TRUE(Has(ini, "[Cafe]\r\nip=0.0.0.0\r\n")) << ini;
  EXPECT_TRUE(Has(ini, "SaveWarnings=1\r\n")) << ini;
  // The option's entry, checked by default, follows the journal's entries.
  const std::string::size_type undo = out_.find(R"("name": "pmUndo")");
  const std::string::size_type option = out_.find(
      u8R"({"name": "pmSaveWarnings", "caption": "保存時に設定の誤りを警告する", "checked": true)");
  EXPECT_NE(undo, std::string::npos) << out_;
  EXPECT_NE(option, std::string::npos) << out_;
  EXPECT_LT(undo, option);
}

TEST_F(SaveWarningsTest, TheOptionOffSavesWithoutABoxAndIsKept) {
  testing::TempMachine machine;
  ASSERT_EQ(RunZubaNet(machine.directory(),
                       std::string("--answer yes ") + kStartLab +
                           "--do 'click BtOpt' --do 'click pmSaveWarnings' "
                           "--do 'type EdTip 10.0.0.5' --do 'type EdTms 255.0.255.0' --do 'click BbOk'"),
            0)
      << err_;
  EXPECT_EQ(err_, kReadQuestion);
  const std::string ini = Settings(machine);
  EXPECT_TRUE(Has(ini, "[Lab]\r\nip=10.0.0.5\r\ngw=192.168.1.1,192.168.1.254\r\nms=255.0.255.0\r\n"))
      << ini;
  EXPECT_TRUE(Has(ini, "SaveWarnings=0\r\n")) << ini;

  // The next start keeps it off.
  ASSERT_EQ(RunZubaNet(machine.directory(), "--do dump"), 0) << err_;
  EXPECT_TRUE(Has(out_, R"({"name": "pmSaveWarnings", )")) << out_;
  EXPECT_TRUE(Has(out_, u8R"("caption": "保存時に設定の誤りを警告する", "checked": false)")) << out_;
}

}  // namespace
}  // namespace zuba::app
