// boot, run through the zubanet-machine binary (ZUBA_MACHINE_TOOL, set by
// CTest).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "app/machine/Commands.h"  // the exit codes
#include "platform/sim/PowerState.h"
#include "system/MyRegs.h"
#include "testing/MachineTool.h"
#include "testing/TempMachine.h"

namespace zuba::app {
namespace {

namespace sim = platform::sim;

constexpr char kRunOnce[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

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

  testing::TempMachine machine_;
};

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
            "AUTOEXEC.BAT: not run (the machine has no batch runner yet)\n"
            "RunOnce \"ZubaNet\": C:\\ZUBANET\\ZUBANET.EXE \xE3\x82\xBD\n"
            "RunOnce \"Mark\": MARK.EXE first\n"
            "RunOnce \"Missing\": C:\\NOPE.EXE (not started: error 2; the entry is removed)\n");
  EXPECT_EQ(ReadHostFile(machine_.HostPath("drive_c/WINDOWS/marked.txt")),
            "first\n");  // waited for
  EXPECT_EQ(sim::PendingPowerAction(*machine_.machine().config), sim::PowerAction::kNone);
  system::NameList names;
  ASSERT_TRUE(system::GetLocalValueNames(machine_.registry(), kRunOnce, names));
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(machine_.system().FindTopLevelWindow("ﾈｯﾄﾜｰｸ"), 0u);
  const std::string events = ReadHostFile(machine_.HostPath("events.log"));
  EXPECT_NE(events.find("boot: reboot\nboot: RunOnce \"ZubaNet\": C:\\ZUBANET\\ZUBANET.EXE "
                        "\xE3\x82\xBD\nCreateProcess \"C:\\ZUBANET\\ZUBANET.EXE \xE3\x82\xBD\" in "
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
  EXPECT_EQ(out_, "power action: restart-windows\n");
  ASSERT_EQ(Boot(), kExitOk);
  EXPECT_EQ(out_,
            "power action: power on\n"
            "AUTOEXEC.BAT: not run (the machine has no batch runner yet)\n");
  EXPECT_EQ(Boot("now"), kExitUsage);
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
            "AUTOEXEC.BAT: not run (the machine has no batch runner yet)\n"
            "RunOnce \"Where\": WHERE.EXE\n");
  EXPECT_EQ(ReadHostFile(machine_.HostPath("drive_c/WINDOWS/where.txt")), directory + "\n");
}

}  // namespace
}  // namespace zuba::app
