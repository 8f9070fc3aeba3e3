#include "platform/sim/SimVersionInfo.h"

#include <gtest/gtest.h>

#include "platform/WinError.h"
#include "testing/TempMachine.h"

namespace zuba::platform::sim {
namespace {

using testing::TempMachine;

// This test binary is built without the program's version block (the ui
// tests, which link it, read it back); every way to fail shows here.
TEST(SimVersionInfoTest, FailsAsWindowsWouldWithTheReasonAsLastError) {
  TempMachine machine;
  System& system = machine.system();
  MachineConfig& config = *machine.machine().config;
  std::string block = "untouched";
  EXPECT_FALSE(system.ReadOwnVersionInfo(&block));
  EXPECT_EQ(system.LastError(), static_cast<std::uint32_t>(kErrorResourceTypeNotFound));

  ASSERT_TRUE(machine.files().RemoveFile("C:\\ZUBANET\\ZUBANET.EXE"));
  EXPECT_FALSE(system.ReadOwnVersionInfo(&block));
  EXPECT_EQ(system.LastError(), static_cast<std::uint32_t>(kErrorFileNotFound));

  ASSERT_TRUE(config.Set("Fail", "GetFileVersionInfo", "5"));
  EXPECT_FALSE(system.ReadOwnVersionInfo(&block));
  EXPECT_EQ(system.LastError(), static_cast<std::uint32_t>(kErrorAccessDenied));
  EXPECT_EQ(block, "untouched");
}

}  // namespace
}  // namespace zuba::platform::sim
