#include "app/zubanet/Setup.h"

#include <gtest/gtest.h>

#include "platform/sim/SimulatedMachine.h"
#include "system/MyRegs.h"
#include "testing/TempMachine.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::app {
namespace {

using platform::kHkeyLocalMachine;
using toolkit::MessageResult;

constexpr char kShortcut[] = "C:\\WINDOWS\\ｽﾀｰﾄ ﾒﾆｭｰ\\ﾌﾟﾛｸﾞﾗﾑ\\ZubaNet.lnk";
constexpr char kRunOnce[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

class SetupTest : public ::testing::Test {
 protected:
  SetupTest() {
    // The unpacked package in C:\PKG, its ZUBANET.EXE running.
    EXPECT_TRUE(machine_.files().MakeDirectory("C:\\PKG"));
    for (const std::string& name : PackageFiles()) Write("C:\\PKG\\" + name, "new " + name);
    RunFrom("C:\\PKG\\ZUBANET.EXE");
  }
  void RunFrom(const std::string& program) {
    ASSERT_TRUE(machine_.machine().config->Set("Program", "Path", program));
  }
  void Write(const std::string& path, const std::string& text) {
    ASSERT_TRUE(machine_.files().WriteBytes(path, text)) << path;
  }
  std::string Read(const std::string& path) {
    std::string content;
    return machine_.files().ReadBytes(path, &content) ? content : "(none)";
  }
  bool Exists(const std::string& path) {
    return machine_.files().GetAttributes(path) != platform::kInvalidAttributes;
  }
  std::string Value(const char* key, const char* name) {
    platform::Registry& registry = machine_.registry();
    platform::RegKey opened = 0;
    platform::RegValue value;
    if (registry.OpenKey(kHkeyLocalMachine, std::string(key).substr(1), &opened) != 0) {
      return "(none)";
    }
    long status = registry.QueryValue(opened, name, &value);
    registry.CloseKey(opened);
    return status == 0 ? value.data.substr(0, value.data.find('\0')) : "(none)";
  }
  int Run(SetupAction action) {
    return RunSetup(action, ui_, machine_.services());
  }
  std::string LastMessage() {
    return ui_.Messages().empty() ? "(none)" : ui_.Messages().back().text;
  }

  testing::TempMachine machine_;
  toolkit::ScriptedUiServices ui_;
};

TEST_F(SetupTest, TheCommandLineAsksForSetupWithOneSwitchAlone) {
  EXPECT_EQ(SetupActionOf({"/install"}), SetupAction::kInstall);
  EXPECT_EQ(SetupActionOf({"/UNINSTALL"}), SetupAction::kUninstall);
  for (const std::vector<std::string>& other :
       std::vector<std::vector<std::string>>{{}, {"install"}, {"/install", "/c"}, {"Office"}}) {
    EXPECT_FALSE(SetupActionOf(other));
  }
}

TEST_F(SetupTest, InstallCopiesThePackageMakesTheShortcutAndTheUninstallEntry) {
  ASSERT_EQ(Run(SetupAction::kInstall), 0) << LastMessage();
  for (const std::string& name : PackageFiles()) {
    EXPECT_EQ(Read("C:\\ZUBANET\\" + name), "new " + name);
  }
  platform::ShellLink link;
  ASSERT_TRUE(machine_.system().ReadShellLink(kShortcut, &link));
  EXPECT_EQ(link.target, "C:\\ZUBANET\\ZUBANET.EXE");
  EXPECT_EQ(link.workingDirectory, "C:\\ZUBANET");
  const char* key = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZubaNet";
  EXPECT_EQ(Value(key, "DisplayName"), "ZubaNet");
  EXPECT_EQ(Value(key, "UninstallString"), "C:\\ZUBANET\\ZUBANET.EXE /uninstall");
  EXPECT_NE(LastMessage().find("インストールしました"), std::string::npos);
}

TEST_F(SetupTest, InstallRefusesWhileZubaNetRunsOrAFileOfThePackageIsMissing) {
  ASSERT_TRUE(machine_.machine().config->Set("Desktop", "Window", "ZubaNet"));
  EXPECT_EQ(Run(SetupAction::kInstall), 1);
  EXPECT_NE(LastMessage().find("実行中"), std::string::npos);
  ASSERT_TRUE(machine_.machine().config->Set("Desktop", "Window", "Other"));
  ASSERT_TRUE(machine_.files().RemoveFile("C:\\PKG\\ZUBANET.HLP"));
  EXPECT_EQ(Run(SetupAction::kInstall), 1);
  EXPECT_NE(LastMessage().find("C:\\PKG\\ZUBANET.HLP が見つかりません"), std::string::npos);
  EXPECT_FALSE(Exists("C:\\ZUBANET\\ZUBANETC.EXE"));
  EXPECT_FALSE(Exists(kShortcut));
}

// The installed program uninstalls itself, as Add/Remove Programs starts it,
// after the boot menu and a trial left their traces.
class UninstallTest : public SetupTest {
 protected:
  UninstallTest() {
    EXPECT_EQ(Run(SetupAction::kInstall), 0);
    RunFrom("C:\\ZUBANET\\ZUBANET.EXE");
    Write("C:\\ZUBANET\\Zubanet.ini", "[SETTINGLIST]\r\n");
    Write("C:\\ZUBANET\\Zubanet.JNL", "journal\r\n");
    Write("C:\\ZUBANET\\zubaset.bat", "@echo off\r\n");
    Write("C:\\ZUBANET\\A.reg", "REGEDIT4\r\n");
    Write("C:\\AUTOEXEC.BAT", "@echo off\r\ncall \"C:\\ZUBANET\\zubaset.bat\"\r\n");
    Write("C:\\WINDOWS\\WININIT.INI", "[rename]\r\nNUL=C:\\OLD.TXT\r\n");
    EXPECT_TRUE(system::WriteRegString(machine_.registry(), kHkeyLocalMachine, kRunOnce,
                                       "ZubaNetTrial", "\"C:\\ZUBANET\\ZUBANET.EXE\" /K"));
    EXPECT_TRUE(system::WriteRegString(machine_.registry(), kHkeyLocalMachine, kRunOnce,
                                       "Other", "OTHER.EXE"));
  }
};

TEST_F(UninstallTest, RemovesAllButTheSettingsAndLeavesItsOwnFileToWindowsNextStart) {
  ASSERT_EQ(Run(SetupAction::kUninstall), 0) << LastMessage();
  // The first button, which a script without answers takes, keeps them.
  EXPECT_EQ(ui_.Messages()[ui_.Messages().size() - 2].buttons,
            toolkit::MessageButtons::kYesNoCancel);
  EXPECT_EQ(Read("C:\\ZUBANET\\Zubanet.ini"), "[SETTINGLIST]\r\n");
  EXPECT_EQ(Read("C:\\ZUBANET\\Zubanet.JNL"), "journal\r\n");
  for (const char* gone : {"ZUBANETC.EXE", "ZUBANET.HLP", "README.TXT", "zubaset.bat", "A.reg"}) {
    EXPECT_FALSE(Exists(std::string("C:\\ZUBANET\\") + gone)) << gone;
  }
  EXPECT_TRUE(Exists("C:\\ZUBANET\\ZUBANET.EXE"));  // running: removed at the next start
  EXPECT_EQ(Read("C:\\WINDOWS\\WININIT.INI"),
            "[rename]\r\nNUL=C:\\OLD.TXT\r\nNUL=C:\\ZUBANET\\ZUBANET.EXE\r\n");
  EXPECT_EQ(Read("C:\\AUTOEXEC.BAT"), "@echo off\r\n");
  EXPECT_FALSE(Exists(kShortcut));
  EXPECT_EQ(Value("\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZubaNet",
                  "DisplayName"),
            "(none)");
  EXPECT_EQ(Value(kRunOnce, "ZubaNetTrial"), "(none)");
  EXPECT_EQ(Value(kRunOnce, "Other"), "OTHER.EXE");
  EXPECT_NE(LastMessage().find("次に Windows を起動したとき"), std::string::npos);

  // Installing again finds the settings where they were.
  RunFrom("C:\\PKG\\ZUBANET.EXE");
  ASSERT_EQ(Run(SetupAction::kInstall), 0);
  EXPECT_EQ(Read("C:\\ZUBANET\\Zubanet.ini"), "[SETTINGLIST]\r\n");
}

TEST_F(UninstallTest, TheAnswersRemoveTheSettingsTooOrCancel) {
  ui_.QueueAnswer(MessageResult::kCancel);
  EXPECT_EQ(Run(SetupAction::kUninstall), 1);
  EXPECT_TRUE(Exists("C:\\ZUBANET\\ZUBANETC.EXE"));
  EXPECT_TRUE(Exists(kShortcut));

  ui_.QueueAnswer(MessageResult::kNo);
  EXPECT_EQ(Run(SetupAction::kUninstall), 0);
  EXPECT_FALSE(Exists("C:\\ZUBANET\\Zubanet.ini"));
  EXPECT_FALSE(Exists("C:\\ZUBANET\\Zubanet.JNL"));
}

TEST_F(UninstallTest, LeavesAShortcutOfTheSameNameToAnotherProgram) {
  ASSERT_TRUE(machine_.system().WriteShellLink(kShortcut, {"C:\\OTHER\\OTHER.EXE", "", "", ""}));
  EXPECT_EQ(Run(SetupAction::kUninstall), 0);
  EXPECT_TRUE(Exists(kShortcut));
}

}  // namespace
}  // namespace zuba::app
