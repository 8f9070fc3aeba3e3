// boot, run through the zubanet-machine binary (ZUBA_MACHINE_TOOL, set by
// CTest).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "app/machine/Commands.h"  // the exit codes
#include "platform/TextCodec.h"
#include "platform/sim/PowerState.h"
#include "system/MyRegs.h"
#include "testing/MachineTool.h"
#include "testing/TempMachine.h"
#include "ui/ZubaSelFiles.h"

namespace zuba::app {
namespace {

namespace sim = platform::sim;

constexpr char kRunOnce[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

using platform::Cp932ToUtf8;
using testing::ReadHostFile;

class MachineBootTest : public testing::MachineToolTest {
 protected:
  int Boot(const std::string& args = "") {
    const int code = RunTool(machine_.directory(), "boot " + args);
    out_ += err_;
    return code;
  }
  void AddRunOnce(const std::string& name, const std::string& command) {
    ASSERT_TRUE(system::WriteRegString(machine_.registry(), platform::kHkeyLocalMachine, kRunOnce,
                                       name, command));
  }

  // A host program standing in for zubanet: it writes its arguments, one a
  // line, to args.txt in the machine directory, and says hello.
  void FakeHostZubanet() {
    const std::string program = scratch_.path() + "/zubanet";
    std::ofstream(program) << "#!/bin/sh\necho hello from zubanet\n"
                              "printf '%s\\n' \"$@\" > \"$ZUBANET_MACHINE/args.txt\"\n";
    chmod(program.c_str(), 0755);
    ASSERT_TRUE(machine_.machine().config->Set("Program", "Host", program));
  }
  std::string RunOnceValue() {
    std::string value;
    system::ReadRegString(machine_.registry(), platform::kHkeyLocalMachine, kRunOnce, "ZubaNet",
                          value);
    return value;
  }
  void WriteFile(const std::string& path, const std::string& content) {
    ASSERT_TRUE(machine_.files().WriteBytes(path, content)) << path;
  }

  testing::TempMachine machine_;
};

TEST_F(MachineBootTest, TheBootMenuAppliesTheChosenSettingThroughTheHostZubanet) {
  FakeHostZubanet();
  const std::vector<std::string> names = {"Office", "My Home"};
  ui::MakeSwitchBatch(machine_.files(), "C:\\ZUBANET\\", names);
  ui::MakeRegFiles(machine_.files(), "C:\\ZUBANET\\", names, true);
  ASSERT_TRUE(ui::AddAutoexecCall(machine_.files(), "C:\\", "C:\\ZUBANET\\"));

  ASSERT_EQ(Boot("--choose b"), kExitOk) << out_;
  EXPECT_EQ(out_, Cp932ToUtf8("power action: power on\n"
                              "real-mode start: C:\\AUTOEXEC.BAT\n"
                              "ZubaNet 設定選択\n----------------\nA:Office\nB:My Home\n\n"
                              "X:キャンセル\n----------------\n"
                              "選択してください（デフォルト:X）[X,A,B]?B\n"
                              "Information in C:\\ZUBANET\\B.reg has been successfully entered "
                              "into the registry.\n"
                              "Windows starts\n"
                              "RunOnce \"ZubaNet\": C:\\ZUBANET\\zubanet.exe My Home /c\n"
                              "hello from zubanet\n"));
  EXPECT_EQ(ReadHostFile(machine_.HostPath("args.txt")),
            "--machine\n" + machine_.directory() + "\n--headless\n--\nMy\nHome\n/c\n");
  EXPECT_EQ(RunOnceValue(), "");  // run once

  // No key: the menu's default after its time-out cancels; nothing runs.
  ASSERT_EQ(Boot(), kExitOk);
  EXPECT_NE(out_.find("[X,A,B]?X\n" + Cp932ToUtf8("キャンセルされました") + "\nWindows starts\n"),
            std::string::npos)
      << out_;
  EXPECT_EQ(out_.find("RunOnce"), std::string::npos);
}

TEST_F(MachineBootTest, BadBatchFilesAndScriptsAreReportedAndChangeNothing) {
  WriteFile("C:\\BAD.REG",
            "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Zuba]\r\n"
            "\"A\"=\"1\"\r\n\"B\"=\"unterminated\r\n");
  WriteFile("C:\\TEXT.REG", "just text\r\n");
  WriteFile("C:\\AUTOEXEC.BAT",
            "@echo off\r\nfrobnicate now\r\nregedit C:\\NONE.REG\r\nregedit bad.reg\r\n"
            "regedit \"text.reg\"\r\necho \x81\xFF\x80 \x83\r\ngoto nowhere\r\necho not shown\r\n");
  const std::string hive = ReadHostFile(machine_.HostPath("system.reg"));
  AddRunOnce("Gone", "C:\\GONE.EXE");

  ASSERT_EQ(Boot(), kExitOk) << out_;
  EXPECT_EQ(out_,
            "power action: power on\n"
            "real-mode start: C:\\AUTOEXEC.BAT\n"
            "Bad command or file name\n"
            "Cannot import C:\\NONE.REG: Error opening the file. There may be a disk or file "
            "system error.\n"
            "Cannot import C:\\bad.reg: C:\\bad.reg:5: unterminated string; nothing was "
            "imported.\n"
            "Cannot import C:\\text.reg: The specified file is not a registry script.\n" +
                Cp932ToUtf8("\x81\xFF\x80 \x83") +
                "\n"
                "Label not found\n"
                "Windows starts\n"
                "RunOnce \"Gone\": C:\\GONE.EXE\n"
                "  (not started: error 2; the entry is removed)\n");
  // Nothing was imported; the RunOnce entry is gone again.
  EXPECT_TRUE(ReadHostFile(machine_.HostPath("system.reg")) == hive);
  const std::string events = ReadHostFile(machine_.HostPath("events.log"));
  EXPECT_NE(events.find("boot: regedit C:\\bad.reg: not imported: C:\\bad.reg:5: unterminated"),
            std::string::npos)
      << events;

  // A GOTO loop is cut off, and Windows still starts.
  WriteFile("C:\\AUTOEXEC.BAT", ":again\r\n@goto again\r\n");
  ASSERT_EQ(Boot(), kExitOk);
  EXPECT_EQ(out_,
            "power action: power on\n"
            "real-mode start: C:\\AUTOEXEC.BAT\n"
            "(zubanet-machine: batch stopped after 10000 lines; a GOTO loop?)\n"
            "Windows starts\n");
  ASSERT_TRUE(machine_.files().RemoveFile("C:\\AUTOEXEC.BAT"));
  ASSERT_EQ(Boot(), kExitOk);
  EXPECT_EQ(out_,
            "power action: power on\nreal-mode start: C:\\AUTOEXEC.BAT (none)\nWindows starts\n");
}

TEST_F(MachineBootTest, PerformsThePendingActionAndStartsTheRunOnceEntries) {
  ASSERT_TRUE(machine_.system().ExitWindowsEx(2, 0));
  ASSERT_TRUE(machine_.machine().config->Set("NetworkPanel", "OpenAfter", "0"));
  ASSERT_NE(machine_.system().StartProcess("rundll32.exe shell32.dll,Control_RunDLL netcpl.cpl", "",
                                           0x20, 5),
            0u);
  ASSERT_NE(machine_.system().FindTopLevelWindow("ﾈｯﾄﾜｰｸ"), 0u);

  const std::string program = machine_.HostPath("drive_c/WINDOWS/MARK.EXE");
  std::ofstream(program) << "#!/bin/sh\nsleep 0.2\necho \"$1\" > marked.txt\n";
  chmod(program.c_str(), 0755);
  AddRunOnce("ZubaNet", "C:\\ZUBANET\\ZUBANET.EXE \x83\x5C");  // "ソ"
  AddRunOnce("Mark", "MARK.EXE first");
  platform::RegKey key;
  ASSERT_EQ(machine_.registry().OpenKey(platform::kHkeyLocalMachine, kRunOnce + 1, &key), 0);
  ASSERT_EQ(machine_.registry().SetValue(key, "Number", {platform::kRegDword, "\1\0\0\0"}), 0);
  machine_.registry().CloseKey(key);
  AddRunOnce("Missing", "C:\\NOPE.EXE");

  ASSERT_EQ(Boot(), kExitOk) << out_;
  EXPECT_EQ(out_,
            "power action: reboot\n"
            "real-mode start: C:\\AUTOEXEC.BAT\n"
            "Windows starts\n"
            "RunOnce \"ZubaNet\": C:\\ZUBANET\\ZUBANET.EXE \xE3\x82\xBD\n"
            "RunOnce \"Mark\": MARK.EXE first\n"
            "RunOnce \"Missing\": C:\\NOPE.EXE\n"
            "  (not started: error 2; the entry is removed)\n");
  EXPECT_EQ(ReadHostFile(machine_.HostPath("drive_c/WINDOWS/marked.txt")),
            "first\n");  // waited for
  EXPECT_EQ(sim::PendingPowerAction(*machine_.machine().config), sim::PowerAction::kNone);
  system::NameList names;
  ASSERT_TRUE(system::GetLocalValueNames(machine_.registry(), kRunOnce, names));
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(machine_.system().FindTopLevelWindow("ﾈｯﾄﾜｰｸ"), 0u);
  const std::string events = ReadHostFile(machine_.HostPath("events.log"));
  EXPECT_NE(events.find("boot: reboot\nboot: AUTOEXEC.BAT ran, errorlevel 0\n"
                        "boot: RunOnce \"ZubaNet\": C:\\ZUBANET\\ZUBANET.EXE \xE3\x82\xBD\n"
                        "CreateProcess \"C:\\ZUBANET\\ZUBANET.EXE \xE3\x82\xBD\" in "
                        "\"C:\\WINDOWS\" (flags 32, show 5): C:\\ZUBANET\\ZUBANET.EXE started and "
                        "ended (not a host program)\n"),
            std::string::npos)
      << events;
  EXPECT_NE(events.find("boot: RunOnce \"Missing\" not started: error 2; the entry is removed\n"),
            std::string::npos)
      << events;

  // Restarting Windows alone skips the real-mode start; nothing pending is a
  // plain power-on.
  ASSERT_TRUE(
      sim::SetPendingPowerAction(*machine_.machine().config, sim::PowerAction::kRestartWindows));
  ASSERT_EQ(Boot(), kExitOk);
  EXPECT_EQ(out_, "power action: restart-windows\nWindows starts\n");
  ASSERT_EQ(Boot(), kExitOk);
  EXPECT_EQ(out_,
            "power action: power on\n"
            "real-mode start: C:\\AUTOEXEC.BAT\n"
            "Windows starts\n");
  for (const char* bad : {"now", "--choose", "--choose AB", "--choose=", "--choose=\xE3\x82\xBD"}) {
    EXPECT_EQ(Boot(bad), kExitUsage) << bad;
  }
}

// A machine named by a relative path: its host programs run in their own
// directories and still find the machine.
TEST_F(MachineBootTest, RunOnceStartsHostProgramsOfAMachineGivenByARelativePath) {
  const std::string program = machine_.HostPath("drive_c/WINDOWS/WHERE.EXE");
  std::ofstream(program) << "#!/bin/sh\necho \"$ZUBANET_MACHINE\" > where.txt\n";
  chmod(program.c_str(), 0755);
  AddRunOnce("Where", "WHERE.EXE");
  const std::string& directory = machine_.directory();
  const std::size_t slash = directory.rfind('/');
  ASSERT_EQ(RunToolIn(directory.substr(0, slash), directory.substr(slash + 1), "boot"), kExitOk)
      << err_;
  EXPECT_EQ(out_,
            "power action: power on\n"
            "real-mode start: C:\\AUTOEXEC.BAT\n"
            "Windows starts\n"
            "RunOnce \"Where\": WHERE.EXE\n");
  EXPECT_EQ(ReadHostFile(machine_.HostPath("drive_c/WINDOWS/where.txt")), directory + "\n");
}

}  // namespace
}  // namespace zuba::app
