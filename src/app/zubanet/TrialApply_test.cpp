// The trial apply as a user meets it: a setting tried with /T, Windows
// started again with zubanet-machine boot, and the question at the start
// answered, left unanswered, cut short by a kill, or never asked because
// the program did not start; and where the machine stands (/S).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>

#include "platform/sim/SimulatedMachine.h"
#include "testing/MachineTool.h"
#include "testing/TempMachine.h"

namespace zuba::app {
namespace {

using testing::ReadHostFile;

constexpr char kSettingsFile[] = "C:\\ZUBANET\\Zubanet.ini";
constexpr char kQuestion[] =
    u8"[設定の試用] (question; Yes/No) 【Office】 を試しに反映しています。";

class TrialApplyTest : public testing::ZubaNetTest {
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
    Set("Home", "wg", "HOME");
    Set("NIC_registry_list", "Office", "0000");
    Set("Initialize", "IniConvert", "1");
    // The machine's own program is this zubanet, as `init --zubanet` makes it.
    ASSERT_TRUE(machine_.machine().config->Set("Program", "Host", zubanet_));
  }

  void Set(const std::string& section, const std::string& key, const std::string& value) {
    ASSERT_TRUE(machine_.profiles().WriteString(section, key, value, kSettingsFile));
  }
  std::string Files(const std::string& machine) {
    std::string all;
    for (const char* file : {"system.reg", "user.reg", "drive_c/WINDOWS/WIN.INI",
                             "drive_c/WINDOWS/HOSTS", "drive_c/ZUBANET/Zubanet.ini"}) {
      all += std::string(file) + ":\n" + ReadHostFile(machine + "/" + file);
    }
    return all;
  }
  std::string Copy(const std::string& name) {
    const std::string to = scratch_.path() + "/" + name;
    std::filesystem::remove_all(to);
    std::filesystem::copy(machine_.directory(), to, std::filesystem::copy_options::recursive);
    return to;
  }
  std::string Show(const std::string& machine) {
    EXPECT_EQ(RunTool(machine, "show"), 0) << err_;
    return out_;
  }
  std::string Journal(const std::string& machine) {
    return ReadHostFile(machine + "/drive_c/ZUBANET/Zubanet.JNL");
  }
  static bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  }

  testing::TempMachine machine_;
};

TEST_F(TrialApplyTest, KeptAtTheStartTheNewMachineStays) {
  const std::string m = machine_.directory();
  ASSERT_EQ(RunZubaNet(m, "-- /T Office /c"), 0) << err_;
  const std::string tried = Show(m);
  EXPECT_TRUE(Has(tried, "10.1.2.3")) << tried;
  EXPECT_TRUE(Has(tried, "ZubaNetTrial      \"C:\\ZUBANET\\ZUBANET.EXE\" /K")) << tried;
  EXPECT_TRUE(Has(Journal(m), "trial 1\r\n"));

  ASSERT_EQ(RunTool(m, "boot --answer yes"), 0) << err_;
  // The program the boot starts writes its boxes to the boot's standard error.
  EXPECT_TRUE(Has(err_, kQuestion)) << err_;
  EXPECT_TRUE(Has(err_, u8"反映した値はすべてそのままです。")) << err_;
  EXPECT_TRUE(Has(err_, u8"60 秒以内に答えがなければ元に戻します")) << err_;
  const std::string kept = Show(m);
  EXPECT_TRUE(Has(kept, "10.1.2.3")) << kept;
  EXPECT_FALSE(Has(kept, "RunOnce")) << kept;
  EXPECT_FALSE(Has(kept, "Pending power action")) << kept;
  EXPECT_TRUE(Has(Journal(m), "trial 0\r\n"));

  // Kept is kept: the next start asks nothing, and the apply can be undone.
  ASSERT_EQ(RunZubaNet(m, "--do dump"), 0) << err_;
  EXPECT_FALSE(Has(err_, u8"設定の試用")) << err_;
  ASSERT_EQ(RunZubaNet(m, "-- /u /c"), 0) << err_;
  EXPECT_FALSE(Has(Show(m), "10.1.2.3"));
}

// The option menu's entries, after the warnings' option: the trial of the
// selected setting (the restart question answered No: Windows ends), and
// where the machine stands.
TEST_F(TrialApplyTest, TheOptionMenuTriesTheSelectedSetting) {
  const std::string m = machine_.directory();
  ASSERT_EQ(RunZubaNet(m, "--do dump"), 0) << err_;
  const std::string::size_type warnings = out_.find(R"("name": "pmSaveWarnings")");
  const std::string::size_type trial = out_.find(u8R"({"name": "pmTrial", "caption": "試しに反映する...")");
  const std::string::size_type standing =
      out_.find(u8R"({"name": "pmStanding", "caption": "現在の状態を確認...")");
  EXPECT_NE(warnings, std::string::npos) << out_;
  EXPECT_LT(warnings, trial) << out_;
  EXPECT_LT(trial, standing) << out_;
  EXPECT_NE(standing, std::string::npos) << out_;

  ASSERT_EQ(RunZubaNet(m, "--answer no --do 'choose CbSetting Office' --do 'click BtOpt' "
                          "--do 'click pmTrial'"),
            0)
      << err_;
  // The trial's restart question says what the next start does.
  EXPECT_TRUE(Has(err_, u8"[【Office】 を反映しました] (question; Yes/No/Cancel) 試しに反映しています。"
                        u8"次に Windows を起動したとき、この設定を使い続けるかをたずねます。\\n"
                        u8"60 秒以内に答えがなければ反映する前の状態に戻します。\\n\\n再起動しますか？"))
      << err_;
  const std::string tried = Show(m);
  EXPECT_TRUE(Has(tried, "10.1.2.3")) << tried;
  EXPECT_TRUE(Has(tried, "poweroff")) << tried;
  EXPECT_TRUE(Has(tried, "ZubaNetTrial")) << tried;
  EXPECT_TRUE(Has(Journal(m), "trial 1\r\n"));
}

// No answer: the time runs out, the trial goes back through the journal to
// the machine before it, byte for byte, and the restart follows as after an
// undo. The confirmation's time comes from [Initialize] TrialSeconds.
TEST_F(TrialApplyTest, UnansweredTheOldMachineComesBackAndTheRestartIsPending) {
  Set("Initialize", "TrialSeconds", "30");
  const std::string before = Copy("before");
  ASSERT_EQ(RunZubaNet(before, "--do dump"), 0) << err_;  // a plain start stores the options

  const std::string m = machine_.directory();
  ASSERT_EQ(RunZubaNet(m, "-- /T Office /c"), 0) << err_;
  ASSERT_NE(Files(m), Files(before));
  ASSERT_EQ(RunTool(m, "boot"), 0) << err_;
  EXPECT_TRUE(Has(err_, u8"30 秒以内に答えがなければ元に戻します")) << err_;
  // The restart that follows says what was done: the trial went back.
  EXPECT_TRUE(Has(err_, u8"[【Office】 の反映を元に戻しました] (question; Yes/No/Cancel) 再起動しますか？"))
      << err_;
  EXPECT_FALSE(Has(err_, u8"を反映しました]")) << err_;
  EXPECT_EQ(Files(m), Files(before));
  const std::string shown = Show(m);
  EXPECT_TRUE(Has(shown, "restart")) << shown;
  EXPECT_FALSE(Has(shown, "ZubaNetTrial")) << shown;
}

// Something run during the start rewrote a value of the trial: the
// question lists it. A power-off makes the next start run AUTOEXEC.BAT,
// whose registry import changes the workgroup.
TEST_F(TrialApplyTest, AValueChangedAtTheStartIsListed) {
  const std::string m = machine_.directory();
  ASSERT_EQ(RunZubaNet(m, "-- /T Office /c /e"), 0) << err_;
  std::ofstream(machine_.HostPath("drive_c/FIX.REG"), std::ios::binary)
      << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\VNETSUP]"
         "\r\n\"WorkGroup\"=\"STARTUP\"\r\n\r\n";
  std::ofstream(machine_.HostPath("drive_c/AUTOEXEC.BAT"), std::ios::binary | std::ios::app)
      << "regedit C:\\FIX.REG\r\n";
  ASSERT_EQ(RunTool(m, "boot --answer yes"), 0) << err_;
  EXPECT_TRUE(Has(err_, u8"反映した後に次の値が書き換えられています:\\n"
                        u8"[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\VxD\\VNETSUP] "
                        u8"\"WorkGroup\": \"OFFICE\" -> \"STARTUP\"\\n\\n"))
      << err_;
}

// The RunOnce entry removed and the program not started by it: the next
// start of the program finds the journal on trial and asks first.
TEST_F(TrialApplyTest, AConfirmationThatNeverRanIsAskedAtTheNextStart) {
  const std::string m = machine_.directory();
  ASSERT_EQ(RunZubaNet(m, "-- /T Office /c"), 0) << err_;
  ASSERT_EQ(RunTool(m, "reg export"), 0);
  machine_.Reopen();
  platform::RegKey key;
  ASSERT_EQ(machine_.registry().OpenKey(platform::kHkeyLocalMachine,
                                        "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
                                        &key),
            0);
  ASSERT_EQ(machine_.registry().DeleteValue(key, "ZubaNetTrial"), 0);
  machine_.registry().CloseKey(key);
  ASSERT_EQ(RunTool(m, "boot"), 0) << err_;
  EXPECT_FALSE(Has(out_, "RunOnce")) << out_;

  ASSERT_EQ(RunZubaNet(m, "--answer no --answer no --do dump"), 0) << err_;
  EXPECT_TRUE(Has(err_, kQuestion)) << err_;
  EXPECT_FALSE(Has(Show(m), "10.1.2.3"));
  EXPECT_TRUE(Has(Journal(m), "run undo\r\n"));
}

// The confirmation's undo killed at an exact rename (strace's fault
// injection, on the program that the boot starts): the next start offers
// the recovery of an undo cut short, and each answer gives its side of the
// apply exactly.
TEST_F(TrialApplyTest, AnUndoKilledDuringTheConfirmationIsRecoveredAsTheJournals) {
  if (std::system("strace -qq -o /dev/null true 2>/dev/null") != 0) {
    GTEST_SKIP() << "strace cannot trace here";
  }
  const std::string pristine = Copy("pristine");
  const std::string before = Copy("before"), applied = Copy("applied");
  ASSERT_EQ(RunZubaNet(before, "--do dump"), 0) << err_;
  ASSERT_EQ(RunZubaNet(applied, "-- Office /c"), 0) << err_;
  for (const int rename : {2, 4}) {
    for (const bool finish : {false, true}) {
      const std::string where = "killed at rename " + std::to_string(rename) +
                                (finish ? ", finished" : ", undone");
      const std::string m = scratch_.path() + "/round";
      std::filesystem::remove_all(m);
      std::filesystem::copy(pristine, m, std::filesystem::copy_options::recursive);
      ASSERT_EQ(RunZubaNet(m, "-- /T Office /c"), 0) << err_;
      // The program the boot starts runs under strace, killed at its
      // `rename`-th rename.
      const std::string wrapper = scratch_.path() + "/killed-zubanet";
      std::ofstream(wrapper) << "#!/bin/sh\nexec strace -f -qq -o /dev/null -e trace=rename "
                                "-e inject=rename:signal=KILL:when="
                             << rename << " '" << zubanet_ << "' \"$@\"\n";
      std::filesystem::permissions(wrapper, std::filesystem::perms::owner_all);
      ASSERT_TRUE(platform::sim::OpenSimulatedMachine(m)->config->Set("Program", "Host", wrapper));
      ASSERT_EQ(RunTool(m, "boot"), 0) << where << err_;
      ASSERT_TRUE(Has(Journal(m), "state pending\r\nrun undo\r\n")) << where << Journal(m);

      ASSERT_EQ(RunZubaNet(m, std::string("--answer ") + (finish ? "yes" : "no") + " --do dump"),
                0)
          << where << err_;
      EXPECT_TRUE(Has(err_, u8"【Office】 の反映の取り消しが途中で終わっています。")) << where << err_;
      EXPECT_FALSE(Has(err_, u8"設定の試用")) << where << err_;
      EXPECT_TRUE(Files(m) == Files(finish ? applied : before)) << where;
    }
  }
}

// /S names the saved settings the machine holds and, for the last apply,
// what was changed by hand since.
TEST_F(TrialApplyTest, WhereTheMachineStandsNamesTheSettingAndWhatDiffers) {
  const std::string m = machine_.directory();
  ASSERT_EQ(RunZubaNet(m, "-- /S"), 0) << err_;
  EXPECT_TRUE(Has(out_, u8"[現在の状態]\n現在の状態と一致する設定:\n"
                        u8"(保存してある設定のどれとも一致しません)\n\n反映した記録はありません"))
      << out_;

  ASSERT_EQ(RunZubaNet(m, "-- Office /c"), 0) << err_;
  ASSERT_EQ(RunZubaNet(m, "-- /S"), 0) << err_;
  EXPECT_TRUE(Has(out_, u8"現在の状態と一致する設定:\n・Office\n\n前回反映した設定: 【Office】\n"
                        u8"反映したときのままです"))
      << out_;

  machine_.Reopen();
  ASSERT_TRUE(machine_.files().WriteBytes("C:\\WINDOWS\\HOSTS", "by hand\r\n"));
  ASSERT_EQ(RunZubaNet(m, "-- /S"), 0) << err_;
  EXPECT_TRUE(Has(out_, u8"(保存してある設定のどれとも一致しません)")) << out_;
  EXPECT_TRUE(Has(out_, u8"反映した後に次の値が変更されています:\nC:\\WINDOWS\\hosts: ")) << out_;
  EXPECT_TRUE(Has(out_, u8" -> 9 バイト")) << out_;

  // The same from the option menu.
  ASSERT_EQ(RunZubaNet(m, "--do 'click BtOpt' --do 'click pmStanding'"), 0) << err_;
  EXPECT_TRUE(Has(out_, u8"[現在の状態]\n")) << out_;
}

}  // namespace
}  // namespace zuba::app
