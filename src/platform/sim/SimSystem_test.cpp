#include "platform/sim/SimSystem.h"

#include <gtest/gtest.h>

#include "platform/WinError.h"
#include "testing/TempMachine.h"

namespace zuba::platform::sim {
namespace {

using testing::TempMachine;

TEST(SimSystemTest, ReportsTheTemplatesVersionsAsGetVersionExA) {
  struct Case {
    OsKind os;
    std::uint32_t platform, major, minor, build;
    const char* csd;
  };
  for (const Case& c : {Case{OsKind::kWin98, 1, 4, 10, 0x040A08AE, " A "},
                        Case{OsKind::kWin95, 1, 4, 0, 0x040003B6, ""},
                        Case{OsKind::kNt, 2, 4, 0, 1381, "Service Pack 6"}}) {
    TempMachine machine(c.os);
    OsVersion v;
    ASSERT_TRUE(machine.system().GetVersion(&v));
    EXPECT_EQ(v.platformId, c.platform);
    EXPECT_EQ(v.major, c.major);
    EXPECT_EQ(v.minor, c.minor);
    EXPECT_EQ(v.build, c.build);
    EXPECT_EQ(v.csdVersion, c.csd);
  }
}

TEST(SimSystemTest, FollowsMachineIniWhileRunning) {
  TempMachine machine;
  System& system = machine.system();
  MachineConfig& config = *machine.machine().config;
  EXPECT_EQ(system.GetKeyState(kVkControl), 0);
  ASSERT_TRUE(config.Set("Keyboard", "Down", "ctrl, Shift"));
  EXPECT_LT(system.GetKeyState(kVkControl), 0);
  EXPECT_LT(system.GetKeyState(kVkShift), 0);
  EXPECT_EQ(system.GetKeyState(kVkMenu), 0);
  ASSERT_TRUE(config.Set("Keyboard", "Down", "Alt,0x0D"));
  EXPECT_EQ(system.GetKeyState(kVkControl), 0);
  EXPECT_LT(system.GetKeyState(kVkMenu), 0);
  EXPECT_LT(system.GetKeyState(kVkReturn), 0);

  ASSERT_TRUE(config.Set("Version", "Build", "1998"));
  OsVersion v;
  ASSERT_TRUE(system.GetVersion(&v));
  EXPECT_EQ(v.build, 0x040A07CEu);
  ASSERT_TRUE(config.Set("Fail", "GetVersionEx", "87"));
  EXPECT_FALSE(system.GetVersion(&v));
  EXPECT_EQ(system.LastError(), static_cast<std::uint32_t>(kErrorInvalidParameter));

  std::uint32_t before = system.GetTickCount();
  system.Sleep(20);
  std::uint32_t after = system.GetTickCount();
  EXPECT_GE(after - before, 20u);
  EXPECT_LT(after - before, 2000u);
  ASSERT_TRUE(config.Set("Clock", "TickOffset", "0x80000000"));
  EXPECT_GE(system.GetTickCount() - after - 0x80000000u, 0u);
  EXPECT_LT(system.GetTickCount() - after - 0x80000000u, 2000u);
}

TEST(SimSystemTest, TheVersionResourceIsNotSimulatedYet) {
  TempMachine machine;
  std::string block;
  EXPECT_FALSE(machine.system().ReadOwnVersionInfo(&block));
}

}  // namespace
}  // namespace zuba::platform::sim
