#include "platform/sim/SimProcesses.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/WinError.h"
#include "testing/TempMachine.h"

namespace zuba::platform::sim {
namespace {

using testing::TempMachine;
constexpr std::uint32_t kInfinite = 0xFFFFFFFF;

class SimProcessesTest : public ::testing::Test {
 protected:
  std::string Read(const std::string& relative) {
    std::ifstream in(machine_.HostPath(relative), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  // A host program at `relative` (below the machine directory).
  void WriteProgram(const std::string& relative, const std::string& content, mode_t mode = 0755) {
    std::filesystem::create_directories(
        std::filesystem::path(machine_.HostPath(relative)).parent_path());
    std::ofstream(machine_.HostPath(relative), std::ios::binary) << content;
    chmod(machine_.HostPath(relative).c_str(), mode);
  }
  std::uint32_t Error() { return system().LastError(); }
  System& system() { return machine_.system(); }

  TempMachine machine_;
};

TEST_F(SimProcessesTest, TheMachinesOwnProgramRunsTheHostZubanetHeadlessOnThisMachine) {
  WriteProgram("host/zubanet", "#!/bin/sh\nprintf '%s\\n' \"$@\" > \"$ZUBANET_MACHINE/args.txt\"\n");
  ASSERT_TRUE(machine_.machine().config->Set("Program", "Host", machine_.HostPath("host/zubanet")));
  // Any spelling of the program's path; its stand-in file is not executable.
  ProcessHandle p = system().StartProcess("c:\\zubanet\\zubanet.exe My Home /c", "", 0x20, 5);
  ASSERT_NE(p, 0u) << Error();
  EXPECT_EQ(system().WaitProcess(p, kInfinite), kWaitObject0);
  EXPECT_EQ(Read("args.txt"),
            "--machine\n" + machine_.directory() + "\n--headless\n--\nMy\nHome\n/c\n");
  EXPECT_NE(Read("events.log").find("c:\\zubanet\\zubanet.exe runs " +
                                    machine_.HostPath("host/zubanet") + " (pid "),
            std::string::npos);

  // Other programs are not affected; a Host that is gone fails the start.
  EXPECT_NE(system().StartProcess("NOTEPAD.EXE", "", 0x20, 5), 0u);
  EXPECT_EQ(Read("args.txt"),
            "--machine\n" + machine_.directory() + "\n--headless\n--\nMy\nHome\n/c\n");
  ASSERT_TRUE(machine_.machine().config->Set("Program", "Host", machine_.HostPath("host/gone")));
  EXPECT_EQ(system().StartProcess("C:\\ZUBANET\\ZUBANET.EXE Office", "", 0x20, 5), 0u);
  EXPECT_EQ(Error(), static_cast<std::uint32_t>(kErrorFileNotFound));
}

TEST_F(SimProcessesTest, AHostProgramRunsForRealInTheMappedDirectory) {
  WriteProgram("drive_c/TOOLS/ECHOARGS.EXE",
               "#!/bin/sh\npwd > out.txt\nprintf '%s\\n' \"$@\" >> out.txt\n"
               "echo \"$ZUBANET_MACHINE\" >> out.txt\nexit 3\n");
  ProcessHandle p = system().StartProcess("C:\\TOOLS\\echoargs \"a b\" \x83\x5C\\\"",
                                          "C:\\My Documents\\", 0x20, 5);
  ASSERT_NE(p, 0u) << Error();
  EXPECT_EQ(system().WaitProcess(p, kInfinite), kWaitObject0);
  EXPECT_EQ(system().WaitProcess(p, 0), kWaitObject0);
  EXPECT_EQ(Read("drive_c/My Documents/out.txt"),
            std::filesystem::canonical(machine_.HostPath("drive_c/My Documents")).string() +
                "\na b\n\xE3\x82\xBD\"\n" + machine_.directory() + "\n");
  EXPECT_TRUE(system().CloseProcess(p));
  EXPECT_FALSE(system().CloseProcess(p));
  EXPECT_EQ(Error(), static_cast<std::uint32_t>(kErrorInvalidHandle));
  EXPECT_EQ(system().WaitProcess(p, 0), kWaitFailed);
  EXPECT_NE(Read("events.log")
                .find("CreateProcess \"C:\\TOOLS\\echoargs \"a b\" \xE3\x82\xBD\\\"\" "
                      "in \"C:\\My Documents\\\" (flags 32, show 5): "
                      "C:\\TOOLS\\echoargs.exe runs on the host (pid "),
            std::string::npos)
      << Read("events.log");
}

TEST_F(SimProcessesTest, WaitsBlockUntilTheEndOrTheTimeOut) {
  WriteProgram("drive_c/SLEEP.EXE", "#!/bin/sh\nsleep 0.3\n");
  auto started = std::chrono::steady_clock::now();
  ProcessHandle p = system().StartProcess("sleep", "", 0x20, 5);  // found in the program's ...
  EXPECT_EQ(p, 0u);  // ... directory, the current one, SYSTEM and WINDOWS: not in C:\ .
  EXPECT_EQ(Error(), static_cast<std::uint32_t>(kErrorFileNotFound));
  p = system().StartProcess("C:\\SLEEP.EXE", "", 0x20, 5);
  ASSERT_NE(p, 0u);
  EXPECT_EQ(system().WaitProcess(p, 0), kWaitTimeout);
  EXPECT_EQ(system().WaitProcess(p, 50), kWaitTimeout);
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(50));
  EXPECT_EQ(system().WaitProcess(p, 5000), kWaitObject0);
  auto took = std::chrono::steady_clock::now() - started;
  EXPECT_GE(took, std::chrono::milliseconds(300));
  EXPECT_LT(took, std::chrono::milliseconds(2000));
  EXPECT_TRUE(system().CloseProcess(p));

  // Closing the handle of a running process leaves it running.
  p = system().StartProcess("C:\\SLEEP.EXE", "", 0x20, 5);
  ASSERT_NE(p, 0u);
  EXPECT_TRUE(system().CloseProcess(p));
}

TEST_F(SimProcessesTest, FindsProgramsAsWindowsDoesAndRecordsTheOthers) {
  WriteProgram("drive_c/Program Files/My Tool/tool.exe", "MZ", 0644);
  WriteProgram("drive_c/WINDOWS/SYSTEM/SYSPROG.EXE", "MZ", 0644);
  WriteProgram("drive_c/ZUBANET/HELPER.EXE", "MZ", 0644);
  struct Case {
    const char* commandLine;
    const char* program;  // empty: not found
  };
  for (const Case& c : {
           Case{"notepad", "C:\\WINDOWS\\notepad.exe"},
           Case{"NOTEPAD.EXE C:\\AUTOEXEC.BAT", "C:\\WINDOWS\\NOTEPAD.EXE"},
           Case{"sysprog /x", "C:\\WINDOWS\\SYSTEM\\sysprog.exe"},
           Case{"helper", "C:\\ZUBANET\\helper.exe"},
           Case{"C:\\Program Files\\My Tool\\tool.exe -x", "C:\\Program Files\\My Tool\\tool.exe"},
           Case{"\"C:\\Program Files\\My Tool\\tool.exe\"", "C:\\Program Files\\My Tool\\tool.exe"},
           Case{"..\\WINDOWS\\NOTEPAD.EXE", "..\\WINDOWS\\NOTEPAD.EXE"},
           Case{"C:\\WINDOWS", ""},  // a directory is no program
           Case{"\"C:\\Program Files\\My Tool\\tool.exe -x\"", ""},
           Case{"nosuch.exe", ""},
           Case{"", ""},
       }) {
    SCOPED_TRACE(c.commandLine);
    ProcessHandle p = system().StartProcess(c.commandLine, "", 0x20, 5);
    if (!*c.program) {
      EXPECT_EQ(p, 0u);
      EXPECT_EQ(Error(), static_cast<std::uint32_t>(kErrorFileNotFound));
      continue;
    }
    ASSERT_NE(p, 0u) << Error();
    EXPECT_EQ(system().WaitProcess(p, 0), kWaitObject0);  // not a host program: ended
    EXPECT_TRUE(system().CloseProcess(p));
    EXPECT_NE(Read("events.log")
                  .find(std::string(": ") + c.program + " started and ended (not a host program)"),
              std::string::npos);
  }

  EXPECT_EQ(system().StartProcess("notepad", "C:\\NOWHERE", 0x20, 5), 0u);
  EXPECT_EQ(Error(), static_cast<std::uint32_t>(kErrorDirectory));
  EXPECT_EQ(system().StartProcess("notepad", "C:\\AUTOEXEC.BAT", 0x20, 5), 0u);
  EXPECT_EQ(Error(), static_cast<std::uint32_t>(kErrorDirectory));
  WriteProgram("drive_c/BAD.EXE", "MZ not for this host\n");
  EXPECT_EQ(system().StartProcess("C:\\BAD.EXE", "", 0x20, 5), 0u);
  EXPECT_EQ(Error(), static_cast<std::uint32_t>(kErrorBadExeFormat));
  EXPECT_NE(Read("events.log")
                .find("CreateProcess \"nosuch.exe\" in \"C:\\ZUBANET\" failed: "
                      "error 2"),
            std::string::npos);
}

// Windows 9x starts .EXE, .COM, .BAT and .PIF files; CreateProcess fails any
// other file with ERROR_BAD_EXE_FORMAT, even one the host could run.
TEST_F(SimProcessesTest, OnlyProgramFilesStart) {
  WriteProgram("drive_c/My Documents/memo.txt", "a memo\r\n", 0644);
  WriteProgram("drive_c/My Documents/run.sh", "#!/bin/sh\necho ran > ran.txt\n");
  for (const char* name : {"C:\\My Documents\\memo.txt", "\"C:\\My Documents\\run.sh\""}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(system().StartProcess(name, "", 0x20, 5), 0u);
    EXPECT_EQ(Error(), static_cast<std::uint32_t>(kErrorBadExeFormat));
  }
  EXPECT_FALSE(std::filesystem::exists(machine_.HostPath("drive_c/ZUBANET/ran.txt")));
  EXPECT_NE(Read("events.log")
                .find("CreateProcess \"C:\\My Documents\\memo.txt\" in \"C:\\ZUBANET\" failed: "
                      "error 193\n"),
            std::string::npos)
      << Read("events.log");

  for (const char* name : {"C:\\TOOL.COM", "C:\\job.bat", "C:\\DOSAPP.Pif"}) {
    SCOPED_TRACE(name);
    WriteProgram(std::string("drive_c/") + (name + 3), "", 0644);
    ProcessHandle p = system().StartProcess(name, "", 0x20, 5);
    ASSERT_NE(p, 0u) << Error();
    EXPECT_TRUE(system().CloseProcess(p));
  }
}

TEST_F(SimProcessesTest, MachineIniMakesTheCallsFail) {
  MachineConfig& config = *machine_.machine().config;
  ProcessHandle p = system().StartProcess("notepad", "", 0x20, 5);
  ASSERT_NE(p, 0u);
  ASSERT_TRUE(config.Set("Fail", "WaitForSingleObject", "6"));
  EXPECT_EQ(system().WaitProcess(p, 0), kWaitFailed);
  EXPECT_EQ(Error(), 6u);
  ASSERT_TRUE(config.Set("Fail", "CloseHandle", "5"));
  EXPECT_FALSE(system().CloseProcess(p));
  EXPECT_EQ(Error(), 5u);
  ASSERT_TRUE(config.Set("Fail", "CreateProcess", "8"));
  EXPECT_EQ(system().StartProcess("notepad", "", 0x20, 5), 0u);
  EXPECT_EQ(Error(), 8u);
}

}  // namespace
}  // namespace zuba::platform::sim
