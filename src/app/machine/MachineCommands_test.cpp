// init and events, run through the zubanet-machine binary (ZUBA_MACHINE_TOOL,
// set by CTest).
#include <gtest/gtest.h>

#include <filesystem>

#include "app/machine/Commands.h"  // the exit codes
#include "platform/sim/SimulatedMachine.h"
#include "testing/MachineTool.h"
#include "testing/TempMachine.h"

namespace zuba::app {
namespace {

using testing::ReadHostFile;

class MachineCommandsTest : public testing::MachineToolTest {
 protected:
  int Run(const std::string& machine, const std::string& args) { return RunTool(machine, args); }
  std::uint32_t PlatformAndMinor(const std::string& machine) {
    auto opened = platform::sim::OpenSimulatedMachine(machine);
    platform::OsVersion version;
    EXPECT_TRUE(opened->system->GetVersion(&version));
    return version.platformId * 100 + version.minor;
  }

  testing::TempDir dir_;
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

TEST_F(MachineCommandsTest, InitRecordsTheHostZubanetThatTheMachinesProgramRuns) {
  const std::string machine = dir_.path() + "/m";
  ASSERT_EQ(Run(machine, "init --zubanet /opt/zuba/zubanet"), kExitOk) << err_;
  EXPECT_NE(out_.find("\nits program runs /opt/zuba/zubanet\n"), std::string::npos) << out_;
  EXPECT_EQ(platform::sim::OpenSimulatedMachine(machine)->config->Get("Program", "Host"),
            "/opt/zuba/zubanet");
  // Without --zubanet: the zubanet beside zubanet-machine, or a stand-in.
  ASSERT_EQ(Run(machine, "init --force"), kExitOk) << err_;
  const std::string host =
      platform::sim::OpenSimulatedMachine(machine)->config->Get("Program", "Host");
  if (host.empty()) {
    EXPECT_NE(out_.find("its program is a stand-in"), std::string::npos) << out_;
  } else {
    EXPECT_EQ(host, (std::filesystem::canonical(tool_).parent_path() / "zubanet").string());
  }
  EXPECT_EQ(Run(machine, "init --force --zubanet"), kExitUsage);
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
  EXPECT_EQ(ReadHostFile(dir_.path() + "/none/machine.ini"), "");
}

}  // namespace
}  // namespace zuba::app
