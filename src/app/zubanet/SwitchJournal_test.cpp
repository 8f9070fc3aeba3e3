// The switch journal as a user meets it: the preview of a setting, the undo
// of the last apply and the recovery of an apply that was cut short, all
// through zubanet --headless and checked with zubanet-machine show.
#include <gtest/gtest.h>

#include <string>

#include "testing/MachineTool.h"
#include "testing/TempMachine.h"

namespace zuba::app {
namespace {

using testing::ReadHostFile;

constexpr char kSettingsFile[] = "C:\\ZUBANET\\Zubanet.ini";

class SwitchJournalCommandTest : public testing::ZubaNetTest {
 protected:
  void SetUp() override {
    ZubaNetTest::SetUp();
    if (IsSkipped()) return;
    for (const auto& [code, value] : {std::pair<const char*, const char*>{"ip", "10.1.2.3"},
                                      {"gw", "10.1.2.1"},
                                      {"ms", "255.255.0.0"},
                                      {"wg", "OFFICE"},
                                      {"lc", "OFFICEPC"},
                                      {"hh", "C:\\WINDOWS\\hosts.office"}}) {
      Set("Office", code, value);
    }
    Set("NIC_registry_list", "Office", "0000");
    Set("Initialize", "IniConvert", "1");
  }
  void Set(const std::string& section, const std::string& key, const std::string& value) {
    ASSERT_TRUE(machine_.profiles().WriteString(section, key, value, kSettingsFile));
  }
  std::string Show() {
    EXPECT_EQ(RunTool(machine_.directory(), "show"), 0) << err_;
    return out_;
  }
  void FailWorkgroup(const std::string& code) {
    ASSERT_TRUE(machine_.machine().config->Set(
        "Fail", "RegSetValue:HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\VNETSUP",
        code));
  }
  std::string Hosts() { return ReadHostFile(machine_.HostPath("drive_c/WINDOWS/HOSTS")); }
  static bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  }

  testing::TempMachine machine_;
};

TEST_F(SwitchJournalCommandTest, PreviewShowsTheChangesAndWritesNothing) {
  const std::string before = Show();
  ASSERT_EQ(RunZubaNet(machine_.directory(), "-- /p Office"), 0) << err_;
  EXPECT_TRUE(Has(out_, u8"[反映内容の確認]\n【Office】 を反映すると:")) << out_;
  EXPECT_TRUE(Has(out_, "\"IPAddress\": ")) << out_;
  EXPECT_TRUE(Has(out_, "-> \"10.1.2.3\"")) << out_;
  EXPECT_TRUE(Has(out_, u8"反映後に再起動が必要です")) << out_;
  EXPECT_EQ(Show(), before);
  EXPECT_FALSE(Has(ReadHostFile(machine_.HostPath("drive_c/ZUBANET/Zubanet.ini")), "Previous="));

  // An unknown name is said, not applied.
  ASSERT_EQ(RunZubaNet(machine_.directory(), "-- /p Nowhere"), 0);
  EXPECT_TRUE(Has(err_, u8"「Nowhere」 という設定はありません")) << err_;
}

TEST_F(SwitchJournalCommandTest, UndoPutsBackWhatTheLastApplyChanged) {
  const std::string showBefore = Show(), hostsBefore = Hosts();
  ASSERT_EQ(RunZubaNet(machine_.directory(), "-- Office /c"), 0) << err_;
  ASSERT_TRUE(Has(Show(), "10.1.2.3"));
  ASSERT_EQ(RunTool(machine_.directory(), "boot"), 0) << err_;  // the restart it asked for

  ASSERT_EQ(RunZubaNet(machine_.directory(), "-- /u /c"), 0) << err_;
  const std::string undone = Show();
  EXPECT_FALSE(Has(undone, "10.1.2.3")) << undone;
  EXPECT_TRUE(Has(undone, "restart-windows")) << undone;  // the undo restarts as the apply did
  EXPECT_EQ(Hosts(), hostsBefore);

  // Undoing the undo applies the setting again.
  ASSERT_EQ(RunTool(machine_.directory(), "boot"), 0) << err_;
  ASSERT_EQ(RunZubaNet(machine_.directory(), "-- /u /c"), 0) << err_;
  EXPECT_TRUE(Has(Show(), "10.1.2.3"));
}

TEST_F(SwitchJournalCommandTest, AnApplyCutShortIsUndoneOrFinishedAtTheNextStart) {
  const std::string hostsBefore = Hosts();
  // The registry refuses the write of the workgroup: the apply stops there,
  // after the address was written.
  FailWorkgroup("5");
  ASSERT_EQ(RunZubaNet(machine_.directory(), "-- Office /c"), 0);
  ASSERT_TRUE(Has(Show(), "10.1.2.3"));
  FailWorkgroup("0");

  ASSERT_EQ(RunZubaNet(machine_.directory(), "--answer no --do dump"), 0) << err_;
  EXPECT_TRUE(Has(err_, u8"[反映の記録] (question; Yes/No) 【Office】 の反映が途中で終わっています。"))
      << err_;
  EXPECT_FALSE(Has(Show(), "10.1.2.3"));
  EXPECT_EQ(Hosts(), hostsBefore);

  // The same cut, finished this time.
  FailWorkgroup("5");
  ASSERT_EQ(RunZubaNet(machine_.directory(), "-- Office /c"), 0);
  FailWorkgroup("0");
  ASSERT_EQ(RunZubaNet(machine_.directory(), "--answer yes --do dump"), 0) << err_;
  const std::string finished = Show();
  EXPECT_TRUE(Has(finished, "10.1.2.3")) << finished;
  EXPECT_TRUE(Has(finished, "OFFICE")) << finished;
  EXPECT_EQ(Hosts(), ReadHostFile(machine_.HostPath("drive_c/WINDOWS/hosts.office")));
}

}  // namespace
}  // namespace zuba::app
