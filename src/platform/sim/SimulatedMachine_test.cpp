#include "platform/sim/SimulatedMachine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

#include "testing/TempMachine.h"

namespace zuba::platform::sim {
namespace {

using testing::TempDir;

bool Exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

TEST(SimulatedMachineTest, OpeningNeedsAMachine) {
  TempDir dir;
  EXPECT_THROW(OpenSimulatedMachine(dir.path() + "/missing"), MachineError);
  EXPECT_THROW(OpenSimulatedMachine(dir.path()), MachineError);  // no machine.ini
  CreateMachine(dir.path() + "/m", OsKind::kWin98, IfMachineExists::kFail);
  EXPECT_NE(OpenSimulatedMachine(dir.path() + "/m"), nullptr);
}

TEST(SimulatedMachineTest, CreatingOverAMachineNeedsReplace) {
  TempDir dir;
  CreateMachine(dir.path(), OsKind::kWin98, IfMachineExists::kFail);
  EXPECT_THROW(CreateMachine(dir.path(), OsKind::kWin95, IfMachineExists::kFail), MachineError);

  // Replacing drops what the old machine held, but not files that are not
  // the machine's.
  std::ofstream(dir.path() + "/drive_c/extra.txt") << "x";
  std::ofstream(dir.path() + "/notes.txt") << "mine";
  // An unfinished change of the old machine's hives does not come back.
  std::ofstream(dir.path() + "/system.reg.tmp") << "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Old]\r\n";
  std::ofstream(dir.path() + "/registry.commit") << "ZUBANET-REGISTRY-COMMIT\r\nsystem.reg\r\n";
  CreateMachine(dir.path(), OsKind::kWin95, IfMachineExists::kReplace);
  EXPECT_FALSE(Exists(dir.path() + "/drive_c/extra.txt"));
  EXPECT_TRUE(Exists(dir.path() + "/notes.txt"));
  EXPECT_TRUE(Exists(dir.path() + "/drive_c/WINDOWS/TELEPHON.INI"));
  auto machine = OpenSimulatedMachine(dir.path());
  OsVersion version;
  ASSERT_TRUE(machine->system->GetVersion(&version));
  EXPECT_EQ(version.minor, 0u);
  RegKey key;
  EXPECT_EQ(machine->registry->OpenKey(kHkeyLocalMachine, "Old", &key), kErrorFileNotFound);
  EXPECT_EQ(machine->registry->OpenKey(kHkeyLocalMachine, "Enum", &key), kErrorSuccess);
}

// A template never writes through a link that leads out of the machine.
TEST(SimulatedMachineTest, CreatingWritesNothingThroughLinksOutOfTheMachine) {
  TempDir dir, outside;
  ASSERT_EQ(mkdir((dir.path() + "/drive_c").c_str(), 0755), 0);
  ASSERT_EQ(symlink(outside.path().c_str(), (dir.path() + "/drive_c/WINDOWS").c_str()), 0);
  EXPECT_THROW(CreateMachine(dir.path(), OsKind::kWin98, IfMachineExists::kFail), MachineError);
  EXPECT_TRUE(std::filesystem::is_empty(outside.path()));
  EXPECT_FALSE(Exists(dir.path() + "/machine.ini"));
}

TEST(SimulatedMachineTest, LayoutIsTheDocumentedOne) {
  testing::TempMachine machine;
  for (const char* file :
       {"machine.ini", "system.reg", "user.reg", "drive_c/WINDOWS/WIN.INI", "drive_c/AUTOEXEC.BAT",
        "drive_c/ZUBANET/ZUBANET.EXE", "drive_c/ZUBANET/ZUBANET.HLP", "drive_c/WINDOWS/HOSTS",
        "drive_c/WINDOWS/LMHOSTS"}) {
    EXPECT_TRUE(Exists(machine.HostPath(file))) << file;
  }
  machine.system().LogEvent("\x83\x5C\x83\x74\x83\x67 started");  // "ソフト" in CP932
  std::ifstream log(machine.HostPath("events.log"));
  std::string line;
  std::getline(log, line);
  EXPECT_EQ(line, "\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88 started");  // UTF-8
}

// A machine whose registry holds its changes (as the program opens it): a
// shut-down writes them first, and keeps Windows running when it cannot.
TEST(SimulatedMachineTest, ShutDownWritesTheRegistryFirst) {
  testing::TempMachine machine(OsKind::kWin98, RegistryWrites::kAtFlush);
  RegKey key = 0;
  ASSERT_EQ(machine.registry().CreateKey(kHkeyLocalMachine, "Network\\Logon", &key), kErrorSuccess);
  ASSERT_EQ(machine.registry().SetValue(key, "username", {kRegSz, "hanako"}), kErrorSuccess);
  auto onDisk = [&] {
    std::ifstream in(machine.HostPath("system.reg"), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return text.find("\"username\"=\"hanako\"") != std::string::npos;
  };
  EXPECT_FALSE(onDisk());

  ASSERT_EQ(mkdir(machine.HostPath("system.reg.tmp").c_str(), 0755), 0);
  EXPECT_FALSE(machine.system().ExitWindowsEx(kEwxReboot, 0));
  EXPECT_EQ(machine.system().LastError(), static_cast<std::uint32_t>(kErrorRegistryIoFailed));
  EXPECT_EQ(machine.machine().config->Get("Power", "Pending"), "");

  ASSERT_EQ(rmdir(machine.HostPath("system.reg.tmp").c_str()), 0);
  EXPECT_TRUE(machine.system().ExitWindowsEx(kEwxReboot, 0));
  EXPECT_TRUE(onDisk());
  EXPECT_EQ(machine.machine().config->Get("Power", "Pending"), "reboot");
  machine.registry().CloseKey(key);
}

}  // namespace
}  // namespace zuba::platform::sim
