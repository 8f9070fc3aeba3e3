// init and events, run through the zubanet-machine binary (ZUBA_MACHINE_TOOL,
// set by CTest).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/machine/Commands.h"  // the exit codes
#include "platform/sim/SimulatedMachine.h"
#include "testing/TempMachine.h"

namespace zuba::app {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class MachineCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tool = std::getenv("ZUBA_MACHINE_TOOL");
    if (!tool || !*tool) GTEST_SKIP() << "ZUBA_MACHINE_TOOL names no zubanet-machine";
    tool_ = tool;
  }
  int Run(const std::string& machine, const std::string& args) {
    const std::string out = dir_.path() + "/out.txt", err = dir_.path() + "/err.txt";
    std::string command =
        "'" + tool_ + "' --machine '" + machine + "' " + args + " >'" + out + "' 2>'" + err + "'";
    int status = std::system(command.c_str());
    out_ = ReadFile(out);
    err_ = ReadFile(err);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::uint32_t PlatformAndMinor(const std::string& machine) {
    auto opened = platform::sim::OpenSimulatedMachine(machine);
    platform::OsVersion version;
    EXPECT_TRUE(opened->system->GetVersion(&version));
    return version.platformId * 100 + version.minor;
  }

  testing::TempDir dir_;
  std::string tool_, out_, err_;
};

TEST_F(MachineCommandsTest, InitWritesTheChosenTemplate) {
  const std::string machine = dir_.path() + "/m";
  ASSERT_EQ(Run(machine, "init --os win95"), kExitOk) << err_;
  EXPECT_NE(out_.find("Windows 95"), std::string::npos);
  EXPECT_EQ(PlatformAndMinor(machine), 100u);
  EXPECT_EQ(Run(machine, "init"), kExitError);  // a machine is there already
  EXPECT_NE(err_.find("already holds a machine (--force replaces it)"), std::string::npos) << err_;
  ASSERT_EQ(Run(machine, "init --force --os=nt"), kExitOk);
  EXPECT_EQ(PlatformAndMinor(machine), 200u);
  ASSERT_EQ(Run(machine, "init --force"), kExitOk);
  EXPECT_EQ(PlatformAndMinor(machine), 110u);
  EXPECT_EQ(Run(machine, "init --os win2000"), kExitUsage);
  EXPECT_EQ(Run(machine, "init --os"), kExitUsage);
  EXPECT_EQ(Run(machine, "init extra"), kExitUsage);
}

TEST_F(MachineCommandsTest, EventsPrintsTheLog) {
  testing::TempMachine machine;
  ASSERT_EQ(Run(machine.directory(), "events"), kExitOk) << err_;
  EXPECT_EQ(out_, "");
  machine.system().LogEvent("broadcast WM_WININICHANGE windows");
  machine.system().LogEvent("\x83\x5C");  // "ソ" in CP932
  ASSERT_EQ(Run(machine.directory(), "events"), kExitOk);
  EXPECT_EQ(out_, "broadcast WM_WININICHANGE windows\n\xE3\x82\xBD\n");
  EXPECT_EQ(Run(machine.directory(), "events x"), kExitUsage);
}

TEST_F(MachineCommandsTest, AMissingNamedMachineIsAnError) {
  EXPECT_EQ(Run(dir_.path() + "/none", "events"), kExitError);
  EXPECT_NE(err_.find("none: no machine directory there"), std::string::npos) << err_;
  EXPECT_EQ(ReadFile(dir_.path() + "/none/machine.ini"), "");
}

}  // namespace
}  // namespace zuba::app
