// The switch journal as a user meets it: the preview of a setting, the undo
// of the last apply and the recovery of an apply that was cut short, all
// through zubanet --headless and checked with zubanet-machine show; and the
// same under faults from outside: the program killed at an exact rename
// (strace's fault injection), a registry that cannot be saved, a refused
// win.ini, two applies at once.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "testing/MachineTool.h"
#include "testing/TempMachine.h"

namespace zuba::app {
namespace {

using testing::ReadHostFile;

constexpr char kSettingsFile[] = "C:\\ZUBANET\\Zubanet.ini";

const std::vector<std::pair<const char*, const char*>> kBig = {
    {"ip", "10.9.8.7"},       {"gw", "10.9.8.1"},      {"ms", "255.255.0.0"},
    {"de", "0"},              {"wg", "BIGGROUP"},      {"lc", "BIGPC"},
    {"cc", "会社の端末"},      {"li", "hanako"},        {"ld", "OFFICEDOM"},
    {"wp", "10.1.0.10"},      {"nt", "8"},             {"lo", "0"},
    {"pe", "1"},              {"pv", "proxy.office:8080"}, {"pf", "ソフト開発部"},
    {"pc", "1"},              {"pd", "0"},             {"tl", "会社"},
    {"pr", "カラー プリンタ"}, {"hh", "C:\\WINDOWS\\hosts.office"},
    {"hl", "C:\\WINDOWS\\lmhosts.office"}};

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
    // Big changes every kind of thing an apply writes: registry values and
    // keys of both hives, win.ini, hosts, lmhosts and the settings file.
    for (const auto& [code, value] : kBig) Set("Big", code, value);
    Set("NIC_registry_list", "Office", "0000");
    Set("NIC_registry_list", "Big", "0000");
    // Alt gives the network client its primary logon back: a key Big deletes.
    for (const auto& [code, value] : {std::pair<const char*, const char*>{"wg", "HOME"},
                                      {"lc", "HOMEPC"},
                                      {"lo", "1"}}) {
      Set("Alt", code, value);
    }
    Set("NIC_registry_list", "Alt", "0000");
    Set("Initialize", "IniConvert", "1");
  }

  // The bytes of the files an apply of Big changes.
  std::string Files(const std::string& machine) {
    std::string all;
    for (const char* file : {"system.reg", "user.reg", "drive_c/WINDOWS/WIN.INI",
                             "drive_c/WINDOWS/HOSTS", "drive_c/WINDOWS/LMHOSTS",
                             "drive_c/ZUBANET/Zubanet.ini"}) {
      all += std::string(file) + ":\n" + ReadHostFile(machine + "/" + file);
    }
    return all;
  }
  // A copy of the machine as it stands.
  std::string Copy(const std::string& name, const std::string& from) {
    const std::string to = scratch_.path() + "/" + name;
    std::filesystem::remove_all(to);
    std::filesystem::copy(from, to, std::filesystem::copy_options::recursive);
    return to;
  }
  // zubanet ARGS on `machine`, killed at its `n`-th rename (0: not killed).
  int RunKilled(const std::string& machine, int n, const std::string& args) {
    const std::string strace =
        "strace -f -qq -o /dev/null -e trace=rename -e inject=rename:signal=KILL:when=" +
        std::to_string(n) + " ";
    return RunProgram(n > 0 ? strace : "", zubanet_, machine, "--headless " + args);
  }
  // Temporary files of writes cut short that are still in the machine.
  static std::string Leftovers(const std::string& machine) {
    std::string left;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(machine)) {
      const std::string name = entry.path().filename().string();
      if (name.rfind(".~zuba-", 0) == 0 || name.find(".reg.tmp") != std::string::npos) {
        left += name + " ";
      }
    }
    return left;
  }
  static bool HasStrace() { return std::system("strace -qq -o /dev/null true 2>/dev/null") == 0; }
  std::string JournalText() {
    return ReadHostFile(machine_.HostPath("drive_c/ZUBANET/Zubanet.JNL"));
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

// A setting saved from the machine as it stands, its address changed: the
// preview leads with the address; the values the apply writes in its own
// types, or makes empty, follow apart.
TEST_F(SwitchJournalCommandTest, APreviewShowsWhatChangesOnlyAValuesFormApart) {
  ASSERT_EQ(RunZubaNet(machine_.directory(),
                       "--answer yes --do 'click BtConfig' --do 'choose CbTnc PCI Fast Ethernet Adapter' "
                       "--do 'type EdNm Fresh' --do 'type EdTip 192.168.1.50' --do 'click BbOk'"),
            0)
      << err_;
  ASSERT_EQ(RunZubaNet(machine_.directory(), "-- /p Fresh"), 0) << err_;
  const std::string::size_type formOnly =
      out_.find(u8"\n\n値は同じで型だけが変わるもの、空の値が作られるもの:\n");
  ASSERT_NE(formOnly, std::string::npos) << out_;
  EXPECT_LT(out_.find(u8"\"IPAddress\": \"192.168.1.10\" -> \"192.168.1.50\"\n"), formOnly) << out_;
  for (const char* line : {u8"\"ScopeID\": (なし) -> \"\"\n", "\"LMLogon\": hex:01,00,00,00 -> 1\n",
                           "\"CurrentID\": 1 -> hex:01,00,00,00\n"}) {
    EXPECT_NE(out_.find(line, formOnly), std::string::npos) << line << out_;
  }
}

TEST_F(SwitchJournalCommandTest, UndoPutsBackWhatTheLastApplyChanged) {
  const std::string showBefore = Show(), hostsBefore = Hosts();
  ASSERT_EQ(RunZubaNet(machine_.directory(), "-- Office /c"), 0) << err_;
  ASSERT_TRUE(Has(Show(), "10.1.2.3"));
  ASSERT_EQ(RunTool(machine_.directory(), "boot"), 0) << err_;  // the restart it asked for

  ASSERT_EQ(RunZubaNet(machine_.directory(), "--answer yes -- /u"), 0) << err_;
  EXPECT_TRUE(Has(err_, u8"[【Office】 の反映を元に戻しました] (question; Yes/No/Cancel)")) << err_;
  const std::string undone = Show();
  EXPECT_FALSE(Has(undone, "10.1.2.3")) << undone;
  EXPECT_TRUE(Has(undone, "restart-windows")) << undone;  // the undo restarts as the apply did
  EXPECT_EQ(Hosts(), hostsBefore);

  // Undoing the undo applies the setting again, and says so.
  ASSERT_EQ(RunTool(machine_.directory(), "boot"), 0) << err_;
  ASSERT_EQ(RunZubaNet(machine_.directory(), "--answer yes -- /u"), 0) << err_;
  EXPECT_TRUE(Has(err_, u8"[【Office】 を反映しました] (question; Yes/No/Cancel)")) << err_;
  EXPECT_TRUE(Has(Show(), "10.1.2.3"));
}

// A key that was absent and is absent again is no change of anyone's.
TEST_F(SwitchJournalCommandTest, UndoWarnsOnlyOfValuesReallyChangedSince) {
  ASSERT_EQ(RunZubaNet(machine_.directory(), "-- Big /c"), 0) << err_;
  ASSERT_EQ(RunZubaNet(machine_.directory(), "-- Alt /c"), 0) << err_;
  ASSERT_EQ(RunZubaNet(machine_.directory(), "--answer no -- /u /c"), 0) << err_;
  EXPECT_FALSE(Has(err_, u8"前回の反映の後に次の値が変更されています")) << err_;
  EXPECT_TRUE(Has(Show(), "BIGGROUP"));  // back to Big

  // Changed by hand since: that is said.
  machine_.Reopen();
  platform::RegKey key;
  ASSERT_EQ(machine_.registry().OpenKey(platform::kHkeyLocalMachine,
                                        "System\\CurrentControlSet\\Services\\VxD\\VNETSUP", &key),
            0);
  ASSERT_EQ(machine_.registry().SetValue(key, "WorkGroup", {platform::kRegSz, "BYHAND"}), 0);
  machine_.registry().CloseKey(key);
  ASSERT_EQ(RunZubaNet(machine_.directory(), "--answer no -- /u /c"), 0) << err_;
  EXPECT_TRUE(Has(err_, u8"前回の反映の後に次の値が変更されています。元に戻すと上書きされます:\\n"))
      << err_;
  EXPECT_TRUE(Has(err_, u8"\"WorkGroup\": \"BYHAND\" -> \"BIGGROUP\"")) << err_;
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

// An undo cut short, and the start after it cut short again: the question
// is still about the apply, and each answer gives its side of the apply
// exactly, computed from the apply's own states.
TEST_F(SwitchJournalCommandTest, RunsCutShortAgainAndAgainStillEndOnOneSideOfTheApply) {
  if (!HasStrace()) GTEST_SKIP() << "strace cannot trace here";
  const std::string pristine = Copy("pristine", machine_.directory());
  // The two sides: the machine after a plain start (which stores the
  // window's options) and after the whole apply.
  const std::string before = Copy("before", pristine), applied = Copy("applied", pristine);
  ASSERT_EQ(RunZubaNet(before, "--do dump"), 0) << err_;
  ASSERT_EQ(RunZubaNet(applied, "-- Big /c"), 0) << err_;
  ASSERT_NE(Files(before), Files(applied));

  // {rename the apply is killed at, the one the first recovery is}.
  for (const auto& [apply, recovery] : {std::pair{2, 2}, {3, 4}, {5, 2}, {8, 6}}) {
    for (const bool finish : {false, true}) {
      const std::string where = "killed at rename " + std::to_string(apply) + ", then " +
                                std::to_string(recovery) + (finish ? ", finished" : ", undone");
      const std::string m = Copy("round", pristine);
      EXPECT_NE(RunKilled(m, apply, "-- Big /c"), 0) << where;
      EXPECT_NE(RunKilled(m, recovery, "--answer no --do dump"), 0) << where;
      ASSERT_EQ(RunKilled(m, 0, std::string("--answer ") + (finish ? "yes" : "no") + " --do dump"),
                0) << where << err_;
      EXPECT_TRUE(Has(err_, u8"【Big】 の反映の取り消しが途中で終わっています。")) << where << err_;
      EXPECT_TRUE(Files(m) == Files(finish ? applied : before)) << where;
      EXPECT_EQ(Leftovers(m), "") << where;
      // Recovered: the next start asks nothing.
      ASSERT_EQ(RunKilled(m, 0, "--do dump"), 0);
      EXPECT_FALSE(Has(err_, u8"途中で終わっています")) << where;
    }
  }
}

TEST_F(SwitchJournalCommandTest, ARegistryThatCannotBeSavedIsNeverTakenForAnApplyDone) {
  const std::string hostsBefore = Hosts();
  // A directory where the registry stages user.reg: no registry commit works.
  const std::string blocker = machine_.HostPath("user.reg.tmp");
  ASSERT_TRUE(std::filesystem::create_directory(blocker));
  EXPECT_NE(RunZubaNet(machine_.directory(), "--answer no -- Big /c"), 0);
  EXPECT_TRUE(Has(err_, u8"レジストリの変更を保存できませんでした (エラー 1016)。次の変更は保存されていません:"))
      << err_;
  EXPECT_TRUE(Has(err_, u8"\"WorkGroup\": \"WORKGROUP\" -> \"BIGGROUP\"")) << err_;
  EXPECT_TRUE(Has(err_, u8"反映した分を今すぐ元に戻しますか？")) << err_;
  EXPECT_TRUE(Has(JournalText(), "state pending"));

  // The next start offers the recovery; going back gives the old machine.
  std::filesystem::remove(blocker);
  ASSERT_EQ(RunZubaNet(machine_.directory(), "--answer no --do dump"), 0) << err_;
  EXPECT_TRUE(Has(err_, u8"【Big】 の反映が途中で終わっています。")) << err_;
  EXPECT_FALSE(Has(Show(), "BIGGROUP"));
  EXPECT_EQ(Hosts(), hostsBefore);

  // Or at once: the files go back as the user is told.
  ASSERT_TRUE(std::filesystem::create_directory(blocker));
  RunZubaNet(machine_.directory(), "--answer yes -- Big /c");
  EXPECT_EQ(Hosts(), hostsBefore);
}

TEST_F(SwitchJournalCommandTest, FinishingAfterARefusedWinIniKeepsTheDefaultPrinterWhole) {
  ASSERT_TRUE(machine_.machine().config->Set("Fail", "WriteFile:C:\\WINDOWS\\WIN.INI", "5"));
  RunZubaNet(machine_.directory(), "-- Big /c");
  ASSERT_TRUE(Has(err_, u8"win.ini に書き込めません")) << err_;
  ASSERT_TRUE(machine_.machine().config->Set("Fail", "WriteFile:C:\\WINDOWS\\WIN.INI", "0"));
  ASSERT_EQ(RunZubaNet(machine_.directory(), "--answer yes --do dump"), 0) << err_;
  // win.ini and the registry name the same default printer: the one applied.
  EXPECT_TRUE(Has(ReadHostFile(machine_.HostPath("drive_c/WINDOWS/WIN.INI")),
                  "device=カラー プリンタ,"));
  EXPECT_TRUE(Has(ReadHostFile(machine_.HostPath("system.reg")), "\"Default\"=\"カラー プリンタ\""));
}

// Another apply holds the lock: an apply waits, then says so and writes
// nothing; the start-up leaves the running apply's journal alone.
TEST_F(SwitchJournalCommandTest, AnApplyWaitsForTheOneRunningAndNeverTakesItsJournal) {
  FailWorkgroup("5");
  ASSERT_EQ(RunZubaNet(machine_.directory(), "-- Office /c"), 0);
  FailWorkgroup("0");
  const std::string journal = JournalText(), before = Files(machine_.directory());
  ASSERT_TRUE(Has(journal, "state pending"));

  platform::System& other = machine_.system();  // the apply still running
  const platform::MutexHandle lock = other.OpenNamedMutex("ZubaNet.Apply");
  ASSERT_EQ(other.WaitMutex(lock, 0), platform::kWaitObject0);
  RunZubaNet(machine_.directory(), "--answer no -- Big /c");
  EXPECT_FALSE(Has(err_, u8"途中で終わっています")) << err_;
  EXPECT_TRUE(Has(err_, u8"ほかの反映 (または取り消し) が実行中です。")) << err_;
  EXPECT_EQ(JournalText(), journal);
  EXPECT_EQ(Files(machine_.directory()), before);
  other.ReleaseMutex(lock);
  other.CloseMutex(lock);
}

TEST_F(SwitchJournalCommandTest, TwoAppliesAtOnceEndAsOneAfterTheOther) {
  const std::string pristine = Copy("pristine", machine_.directory());
  auto run = [&](const std::string& m, const std::string& args) {
    return "'" + zubanet_ + "' --machine '" + m + "' --headless " + args + " >/dev/null 2>&1";
  };
  std::vector<std::string> outcomes;
  for (const char* order : {"Office Big", "Big Office"}) {
    const std::string m = Copy(std::string("sequential ") + order, pristine);
    const std::string first = std::string(order).substr(0, std::string(order).find(' '));
    const std::string second = std::string(order).substr(first.size() + 1);
    ASSERT_EQ(std::system((run(m, "-- " + first + " /c") + "; " + run(m, "-- " + second + " /c"))
                              .c_str()),
              0);
    outcomes.push_back(Files(m));
  }
  for (int round = 0; round < 3; ++round) {
    const std::string m = Copy("race", pristine);
    const int status = std::system(("(" + run(m, "-- Office /c") + ") & pid=$!; " +
                                    run(m, "-- Big /c") + "; b=$?; wait $pid; a=$?; " +
                                    "exit $((a + b))")
                                       .c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << round;
    const std::string files = Files(m);
    EXPECT_TRUE(files == outcomes[0] || files == outcomes[1]) << "round " << round;
  }
}

}  // namespace
}  // namespace zuba::app
