// A user keeping settings with zubanet --headless on the template machine:
// one run per step, as the program would be started again each time, and
// the settings file's bytes checked after each.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "testing/MachineTool.h"
#include "testing/TempMachine.h"

namespace zuba::app {
namespace {

using testing::ReadHostFile;

// What the Ethernet adapter's current configuration gives on the template
// machine, as a save writes it, with the address and mask the user typed.
std::string AdapterSetting(const std::string& ip, const std::string& mask) {
  return "ip=" + ip + "\r\ngw=192.168.1.1,192.168.1.254\r\nms=" + mask +
         "\r\nde=1\r\ndh=zubapc\r\ndd=example.co.jp\r\ndi=192.168.1.2,192.168.1.3\r\n"
         "ds=example.co.jp,example.jp\r\nwg=WORKGROUP\r\nlc=ZUBAPC\r\ncc=ソフト開発部 表示端末\r\n"
         "fs=Yes\r\nps=No\r\nli=taro\r\nld=ZUBADOM\r\nwp=192.168.1.2\r\nws=192.168.1.3\r\nnt=8\r\n"
         "wi=\r\nlo=1\r\npe=0\r\npv=\r\npa=http://proxy.example.co.jp/proxy.pac\r\ncp=0\r\n"
         "pf=自宅プロバイダ\r\npc=1\r\npd=0\r\ntl=自宅\r\npr=レーザー プリンタ\r\n";
}

// [Initialize] as the first start and the window's close leave it, without
// the window's position (Settings() takes it out).
std::string Initialize() {
  return "[Initialize]\r\nIniConvert=1\r\nOpt1=1\r\nOpt2=1\r\nOpt3=0\r\nOpt4=1\r\nOpt5=1\r\n"
         "Opt6=0\r\nOpt7=0\r\nSaveWarnings=1\r\n";
}

class SettingManagementTest : public testing::ZubaNetTest {
 protected:
  std::string File() { return ReadHostFile(machine.HostPath("drive_c/ZUBANET/Zubanet.ini")); }
  // The settings file without the lines of the window's position, which
  // must be there, each once.
  std::string Settings() {
    std::string text = File();
    for (const char* key : {"WindowSize.X=", "WindowSize.Y="}) {
      const std::string::size_type at = text.find(std::string("\r\n") + key);
      EXPECT_NE(at, std::string::npos) << key;
      if (at == std::string::npos) continue;
      text.erase(at, text.find("\r\n", at + 2) - at);
    }
    return text;
  }
  // The settings file with this name in the program's spelling.
  std::string Copy() { return ReadHostFile(machine.HostPath("drive_c/ZUBANET/ZUBANET.---")); }

  testing::TempMachine machine;
};

// The first start on a fresh machine writes a settings file of this
// version's layout, so the second start asks nothing; a file of the first
// layout still gets the question and is converted, its bytes kept beside it.
TEST_F(SettingManagementTest, TheFirstStartsFileAsksNothingAnOldFileIsConvertedAfterAQuestion) {
  for (int start = 1; start <= 2; ++start) {
    ASSERT_EQ(RunZubaNet(machine.directory(), "--do dump"), 0) << err_;
    EXPECT_EQ(err_, "") << "start " << start;
    EXPECT_EQ(File().rfind("[Initialize]\r\nIniConvert=1\r\n", 0), 0u) << File();
  }
  EXPECT_EQ(Copy(), "");

  const std::string firstLayout =
      "[Initialize]\r\nOpt1=1\r\nOffice=0000\r\n[Office]\r\nip=10.0.0.5\r\n";
  ASSERT_TRUE(machine.files().WriteBytes("C:\\ZUBANET\\Zubanet.ini", firstLayout));
  ASSERT_EQ(RunZubaNet(machine.directory(), "--answer ok --do dump"), 0) << err_;
  EXPECT_EQ(err_.rfind(u8"[zubanet.ini をVer2形式に変換] (question; OK/Cancel) これから", 0), 0u)
      << err_;
  EXPECT_EQ(Copy(), firstLayout);
  EXPECT_NE(File().find("[NIC_registry_list]\r\nOffice=0000\r\n"), std::string::npos) << File();
  EXPECT_NE(File().find("IniConvert=1\r\n"), std::string::npos) << File();
}

// A settings file damaged beyond reading (any bytes after [Initialize]:
// zero bytes, form feeds, stray brackets) keeps every byte the program does
// not write: a start and a close add the window's keys and nothing else.
TEST_F(SettingManagementTest, BytesTheProgramDoesNotWriteAreKept) {
  std::mt19937 random(33);
  auto bytes = [&random](std::size_t n) {
    std::string text;
    while (text.size() < n) text.push_back(static_cast<char>(random() & 0xFF));
    return text;
  };
  // [Initialize] small enough to be listed whole, then 60 KiB more.
  const std::string original = "[Initialize]\r\nIniConvert=1\r\n" + bytes(4096) +
                               "\r\n[Random]\r\n" + bytes(61440);
  ASSERT_NE(original.find(std::string(1, '\0')), std::string::npos);
  std::ofstream(machine.HostPath("drive_c/ZUBANET/Zubanet.ini"), std::ios::binary) << original;

  ASSERT_EQ(RunZubaNet(machine.directory(), "--do dump"), 0) << err_;
  std::string after = File();
  // The program's keys go in as one block of whole lines.
  const std::string::size_type block = after.find("WindowSize.X=");
  ASSERT_NE(block, std::string::npos);
  std::string::size_type end = block;
  for (const char* key : {"WindowSize.X=", "WindowSize.Y=", "Opt1=", "Opt2=", "Opt3=", "Opt4=",
                          "Opt5=", "Opt6=", "Opt7=", "SaveWarnings="}) {
    ASSERT_EQ(after.compare(end, std::string(key).size(), key), 0) << key;
    end = after.find("\r\n", end) + 2;
  }
  after.erase(block, end - block);
  EXPECT_EQ(after.size(), original.size());
  EXPECT_TRUE(after == original);
}

TEST_F(SettingManagementTest, SaveReplaceReorderAndDeleteAsAUserWould) {
  // 1. Edit mode, the Ethernet adapter (its current configuration read after
  // the question of Opt1), saved as Office.
  ASSERT_EQ(RunZubaNet(machine.directory(),
                       "--answer yes --do 'click BtConfig' "
                       "--do 'choose CbTnc PCI Fast Ethernet Adapter' --do 'type EdNm Office' "
                       "--do 'click BbOk'"),
            0)
      << err_;
  EXPECT_EQ(err_, u8"[ZubaNet] (question; Yes/No) 現在のTCP/IP設定を読み取りますか？\n");
  const std::string office1 = AdapterSetting("192.168.1.10", "255.255.255.0");
  EXPECT_EQ(Settings(), Initialize() + "[Office]\r\n" + office1 +
                            "[NIC_registry_list]\r\nOffice=0000\r\n"
                            "[SETTINGLIST]\r\nSETTINGS.Count=1\r\nSETTINGS.0=Office\r\n");

  // 2. Office recalled, its address changed and saved again under its
  // name, which asks to replace it; then a second setting Home, whose
  // gateways lie outside its network: saved anyway after the warning.
  ASSERT_EQ(RunZubaNet(machine.directory(),
                       "--answer ok --answer yes --do 'choose CbSetting Office' "
                       "--do 'click BtConfig' --do 'type EdTip 192.168.1.20' --do 'click BbOk' "
                       "--do 'click BtConfig' --do 'type EdNm Home' --do 'type EdTip 10.0.0.2' "
                       "--do 'type EdTms 255.0.0.0' --do 'click BbOk'"),
            0)
      << err_;
  EXPECT_EQ(err_,
            u8"[既に登録されています] (question; OK/Cancel) 【Office】　を置き換えますか？\n"
            u8"[設定の確認] (warning; Yes/No) この設定では通信できないおそれがあります。\\n\\n"
            u8"・TCP/IP: ゲートウェー 192.168.1.1 はIPアドレスと同じネットワークにありません\\n"
            u8"・TCP/IP: ゲートウェー 192.168.1.254 はIPアドレスと同じネットワークにありません\\n"
            u8"\\nこのまま保存しますか？\n");
  EXPECT_EQ(Copy(), "");  // nothing to convert
  const std::string office2 = "[Office]\r\n" + AdapterSetting("192.168.1.20", "255.255.255.0");
  const std::string home = "[Home]\r\n" + AdapterSetting("10.0.0.2", "255.0.0.0");
  EXPECT_EQ(Settings(), Initialize() +
                            "[NIC_registry_list]\r\nOffice=0000\r\nHome=0000\r\n"
                            "[SETTINGLIST]\r\nSETTINGS.Count=2\r\nSETTINGS.0=Home\r\n"
                            "SETTINGS.1=Office\r\n" +
                            office2 + home);

  // 3. Reordered: Office first (dragged over), then Home (a double click).
  ASSERT_EQ(RunZubaNet(machine.directory(),
                       "--do 'click pmEditList' --do 'choose SrcList Office' "
                       "--do 'drag SrcList DstList' --do 'choose SrcList Home' "
                       "--do 'dblclick SrcList' --do 'click OKBtn'"),
            0)
      << err_;
  EXPECT_EQ(err_, "");
  EXPECT_EQ(Settings(), Initialize() +
                            "[NIC_registry_list]\r\nOffice=0000\r\nHome=0000\r\n"
                            "[SETTINGLIST]\r\nSETTINGS.Count=2\r\nSETTINGS.0=Office\r\n"
                            "SETTINGS.1=Home\r\nLISTEDIT=1\r\n" +
                            office2 + home);

  // 4. Home deleted from view mode with the Delete key.
  ASSERT_EQ(RunZubaNet(machine.directory(),
                       "--answer ok --do 'choose CbSetting Home' --do 'key CbSetting Delete' "
                       "--do dump"),
            0)
      << err_;
  EXPECT_EQ(err_, u8"[削除の確認] (warning; OK/Cancel) 【Home】　を削除しますか？\n");
  EXPECT_NE(out_.find(R"("name": "CbSetting", "kind": "combobox", "visible": true, "enabled": true, "text": "", "items": ["Office"], "index": -1)"),
            std::string::npos)
      << out_;
  // The count says one; the key of the longer list before it stays, unread.
  EXPECT_EQ(Settings(), Initialize() +
                            "[NIC_registry_list]\r\nOffice=0000\r\n"
                            "[SETTINGLIST]\r\nSETTINGS.Count=1\r\nSETTINGS.0=Office\r\n"
                            "SETTINGS.1=Home\r\nLISTEDIT=1\r\n" +
                            office2);
}

// A replace and a delete each reach the settings file in one replacement
// of it: the program killed at that write (strace's fault injection) leaves
// the file as it was, never with the old setting gone and the new one not
// yet there; not killed, the same run leaves the whole change.
TEST_F(SettingManagementTest, AReplaceOrDeleteKilledAtItsWriteLeavesTheFileAsItWas) {
  if (std::system("strace -qq -o /dev/null true 2>/dev/null") != 0) {
    GTEST_SKIP() << "strace cannot trace here";
  }
  ASSERT_EQ(RunZubaNet(machine.directory(),
                       "--answer yes --do 'click BtConfig' "
                       "--do 'choose CbTnc PCI Fast Ethernet Adapter' --do 'type EdNm Office' "
                       "--do 'click BbOk'"),
            0)
      << err_;
  const std::string before = File();
  struct Change {
    const char* what;
    const char* args;
    const char* after;  // a part of the file after the change
  };
  const Change changes[] = {
      {"replace",
       "--answer ok --do 'choose CbSetting Office' --do 'click BtConfig' "
       "--do 'type EdTip 192.168.1.20' --do 'click BbOk'",
       "[Office]\r\nip=192.168.1.20\r\n"},
      {"delete", "--answer ok --do 'choose CbSetting Office' --do 'key CbSetting Delete'",
       "[SETTINGLIST]\r\nSETTINGS.Count=0\r\n"},
  };
  const std::string file = "/drive_c/ZUBANET/Zubanet.ini";
  for (const Change& change : changes) {
    const std::string m = scratch_.path() + "/" + change.what;
    for (const bool killed : {true, false}) {
      std::filesystem::remove_all(m);
      std::filesystem::copy(machine.directory(), m, std::filesystem::copy_options::recursive);
      const std::string trace = scratch_.path() + "/renames";
      RunProgram("strace -f -qq -o " + trace + " -e trace=rename" +
                     (killed ? " -e inject=rename:signal=KILL:when=1 " : " "),
                 zubanet_, m, std::string("--headless ") + change.args);
      const std::string renames = ReadHostFile(trace);
      const auto first = renames.find("rename(");
      EXPECT_TRUE(first != std::string::npos && first == renames.rfind("rename("))
          << change.what << ": " << renames;
      const std::string text = ReadHostFile(m + file);
      if (killed) {
        EXPECT_EQ(text, before) << change.what;
      } else {
        EXPECT_NE(text.find(change.after), std::string::npos) << change.what << text;
      }
    }
  }
}

}  // namespace
}  // namespace zuba::app
