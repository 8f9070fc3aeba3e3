// Applying a setting as a user does: zubanet --headless with the command
// line or with --do and --answer, checked from outside through
// zubanet-machine show, events and boot, and the machine's files.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <utility>
#include <vector>

#include "testing/MachineTool.h"
#include "testing/TempMachine.h"

namespace zuba::app {
namespace {

using testing::ReadHostFile;

constexpr char kSettingsFile[] = "C:\\ZUBANET\\Zubanet.ini";

class ZubaNetApplyTest : public testing::ZubaNetTest {
 protected:
  void SetUp() override {
    ZubaNetTest::SetUp();
    if (IsSkipped()) return;
    Save("Office", {{"ip", "10.1.2.3"},
                    {"gw", "10.1.2.1"},
                    {"ms", "255.255.0.0"},
                    {"de", "1"},
                    {"dh", "office-pc"},
                    {"dd", "office.example"},
                    {"di", "10.1.0.53"},
                    {"wg", "OFFICE"},
                    {"lc", "OFFICEPC"},
                    {"nt", "1"},
                    {"pe", "1"},
                    {"pv", "proxy.office:8080"},
                    {"pa", ""},
                    {"hh", "C:\\WINDOWS\\hosts.office"},
                    {"ee", "C:\\WINDOWS\\NOTEPAD.EXE"},
                    {"pr", "カラー プリンタ"}});
    Set("NIC_registry_list", "Office", "0000");
    Set("Initialize", "IniConvert", "1");  // a settings file of the current layout
  }

  void Set(const std::string& section, const std::string& key, const std::string& value) {
    ASSERT_TRUE(machine_.profiles().WriteString(section, key, value, kSettingsFile));
  }
  void Save(const std::string& name, const std::vector<std::pair<std::string, std::string>>& items) {
    for (const auto& [code, value] : items) Set(name, code, value);
  }
  void Fail(const std::string& call, const std::string& code = "5") {
    ASSERT_TRUE(machine_.machine().config->Set("Fail", call, code));
  }
  std::string Show() {
    EXPECT_EQ(RunTool(machine_.directory(), "show"), 0) << err_;
    return out_;
  }
  std::string Events() {
    EXPECT_EQ(RunTool(machine_.directory(), "events"), 0) << err_;
    return out_;
  }
  static bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  }

  testing::TempMachine machine_;
};

TEST_F(ZubaNetApplyTest, CommandLineAppliesAtFirstShowAndLeavesTheMachinePoweredOff) {
  ASSERT_EQ(RunZubaNet(machine_.directory(), "-- Office /c /e"), 0) << err_;
  EXPECT_EQ(err_, "");  // no question with /c
  const std::string show = Show();
  EXPECT_TRUE(Has(show, "10.1.2.3")) << show;
  EXPECT_TRUE(Has(show, "255.255.0.0")) << show;
  EXPECT_TRUE(Has(show, "OFFICE")) << show;
  EXPECT_TRUE(Has(show, "proxy.office:8080")) << show;
  EXPECT_TRUE(Has(show, "poweroff")) << show;
  EXPECT_EQ(ReadHostFile(machine_.HostPath("drive_c/WINDOWS/HOSTS")),
            ReadHostFile(machine_.HostPath("drive_c/WINDOWS/hosts.office")));
  const std::string events = Events();
  EXPECT_TRUE(Has(events, "broadcast WM_WININICHANGE windows")) << events;
  EXPECT_TRUE(Has(events, "CreateProcess \"C:\\WINDOWS\\NOTEPAD.EXE\"")) << events;
  EXPECT_TRUE(Has(events, "ExitWindowsEx flags 0x9 reserved 0x0: power action poweroff pending")) << events;
  EXPECT_TRUE(Has(ReadHostFile(machine_.HostPath("drive_c/ZUBANET/Zubanet.ini")),
                  "Previous=Office\r\n"));

  // The restart happens at the next boot.
  ASSERT_EQ(RunTool(machine_.directory(), "boot"), 0) << err_;
  EXPECT_TRUE(Has(out_ + err_, "poweroff")) << out_ << err_;
  EXPECT_FALSE(Has(Show(), "poweroff"));
}

TEST_F(ZubaNetApplyTest, ApplyButtonAsksAndTheAnswerDecides) {
  ASSERT_EQ(RunZubaNet(machine_.directory(),
                       "--answer yes --do 'choose CbSetting Office' --do 'click BtApply'"),
            0)
      << err_;
  EXPECT_TRUE(Has(err_, u8"[【Office】 を反映しました] (question; Yes/No/Cancel) 再起動しますか？"))
      << err_;
  EXPECT_TRUE(Has(Show(), "restart-windows"));
  EXPECT_TRUE(Has(Events(), "ExitWindows"));

  // Cancel ends only the program; the setting is applied all the same.
  Save("Home", {{"wg", "HOME"}});
  ASSERT_EQ(RunZubaNet(machine_.directory(),
                       "--answer cancel --do 'choose CbSetting Home' --do 'click BtApply'"),
            0)
      << err_;
  EXPECT_TRUE(Has(err_, u8"[【Home】 を反映しました]")) << err_;
  EXPECT_TRUE(Has(Show(), "HOME"));
}

TEST_F(ZubaNetApplyTest, RefusedRegistryWriteStopsTheApplyAndSaysWhatWasNotDone) {
  Fail("RegSetValue:HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\MSTCP");
  ASSERT_EQ(RunZubaNet(machine_.directory(), "-- Office /c"), 0) << err_;
  EXPECT_TRUE(Has(err_, u8"[ZubaNet ベータ版] (error; OK) Failed to set data for 'EnableDNS'\\n\\n"
                        u8"次のものは反映されていません:\\n・レジストリの値 EnableDNS（途中で止まりました）"))
      << err_;
  EXPECT_TRUE(Has(err_, u8"・プロキシの設定")) << err_;
  const std::string show = Show();
  EXPECT_TRUE(Has(show, "10.1.2.3")) << show;        // written before the failure
  EXPECT_FALSE(Has(show, "OFFICE")) << show;         // never reached
  EXPECT_FALSE(Has(show, "proxy.office")) << show;
  EXPECT_FALSE(Has(show, "poweroff")) << show;
  EXPECT_FALSE(Has(Events(), "ExitWindows"));
}

TEST_F(ZubaNetApplyTest, ValueTheRegistryCannotTakeChangesNothing) {
  Set("Office", "ip", "192.168.300.1");
  const std::string before = Show();
  ASSERT_EQ(RunZubaNet(machine_.directory(), "-- Office /c"), 0) << err_;
  EXPECT_TRUE(Has(err_, u8"IPAddress の値 '192.168.300.1' は正しいアドレスではありません")) << err_;
  EXPECT_TRUE(Has(err_, u8"何も書き換えていません。")) << err_;
  EXPECT_EQ(Show(), before);
}

TEST_F(ZubaNetApplyTest, RegistryThatCannotBeSavedIsNeverReportedAsApplied) {
  // The hive's staging file cannot be made: nothing of the registry reaches
  // the disk, so neither the power-off nor a quiet end may pass. The apply
  // says so before any restart is tried.
  ASSERT_EQ(mkdir(machine_.HostPath("system.reg.tmp").c_str(), 0755), 0);
  const std::string before = Show();
  EXPECT_EQ(RunZubaNet(machine_.directory(), "-- Office /c /e"), 1);
  EXPECT_TRUE(Has(err_, u8"レジストリの変更を保存できませんでした (エラー 1016)")) << err_;
  EXPECT_FALSE(Has(err_, u8"コンピュータの電源を切るのに失敗しました。")) << err_;
  EXPECT_TRUE(Has(err_, "zubanet: the registry changes could not be saved")) << err_;
  rmdir(machine_.HostPath("system.reg.tmp").c_str());
  const std::string after = Show();
  EXPECT_FALSE(Has(after, "10.1.2.3")) << after;
  EXPECT_FALSE(Has(after, "poweroff")) << after;
}

}  // namespace
}  // namespace zuba::app
