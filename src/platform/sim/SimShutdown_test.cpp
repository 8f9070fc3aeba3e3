#include "platform/sim/SimShutdown.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/WinError.h"
#include "testing/TempMachine.h"

namespace zuba::platform::sim {
namespace {

using testing::TempMachine;

PowerAction Pending(TempMachine& machine) { return PendingPowerAction(*machine.machine().config); }

TEST(SimShutdownTest, Windows9xEndsWithoutPrivileges) {
  TempMachine machine;
  System& system = machine.system();
  std::uint32_t token = 0;
  Luid luid;
  EXPECT_FALSE(system.OpenProcessToken(0x28, &token));
  EXPECT_EQ(system.LastError(), static_cast<std::uint32_t>(kErrorCallNotImplemented));
  EXPECT_FALSE(system.LookupPrivilegeValue("SeShutdownPrivilege", &luid));
  EXPECT_FALSE(system.AdjustTokenPrivilege(token, luid, 2));
  EXPECT_EQ(Pending(machine), PowerAction::kNone);
  EXPECT_TRUE(system.ExitWindowsEx(9, 0));
  EXPECT_EQ(Pending(machine), PowerAction::kPowerOff);
  EXPECT_TRUE(system.ExitWindowsEx(2, 0));
  EXPECT_EQ(Pending(machine), PowerAction::kReboot);

  // The 16-bit route.
  std::uint32_t user = system.LoadLibrary16("User.exe");
  ASSERT_GE(user, 32u);
  std::uint32_t exitWindows = system.GetProcAddress16(user, "ExitWindows");
  ASSERT_NE(exitWindows, 0u);
  EXPECT_EQ(system.GetProcAddress16(user, "ExitWindowsExec"), 0u);
  ModuleHandle kernel = system.LoadModule("Kernel32.dll");
  ASSERT_NE(kernel, 0u);
  std::uint32_t thunk = system.FindProcAddress(kernel, "QT_Thunk");
  ASSERT_NE(thunk, 0u);
  EXPECT_EQ(system.CallThunk16(thunk, exitWindows, 0x42, 0), 1u);
  EXPECT_EQ(Pending(machine), PowerAction::kRestartWindows);
  system.FreeModule(kernel);
  system.FreeLibrary16(user);
  EXPECT_EQ(system.CallThunk16(thunk, exitWindows, 0x42, 0), 0u);  // released: no call

  std::ifstream in(machine.HostPath("events.log"));
  std::ostringstream log;
  log << in.rdbuf();
  EXPECT_NE(log.str().find("ExitWindowsEx flags 0x9 reserved 0x0: power action poweroff pending\n"
                           "ExitWindowsEx flags 0x2 reserved 0x0: power action reboot pending\n"
                           "LoadLibrary16 User.exe: 0x"),
            std::string::npos)
      << log.str();
  EXPECT_NE(log.str().find("FreeLibrary 0xBFF70000\nFreeLibrary16 0x"), std::string::npos);
  EXPECT_EQ(machine.machine().config->Get("Power", "Pending"), "restart-windows");
}

TEST(SimShutdownTest, MachineIniMakesEachCallFail) {
  TempMachine machine;
  System& system = machine.system();
  MachineConfig& config = *machine.machine().config;
  ASSERT_TRUE(config.Set("Fail", "ExitWindowsEx", "5"));
  EXPECT_FALSE(system.ExitWindowsEx(2, 0));
  EXPECT_EQ(system.LastError(), 5u);
  ASSERT_TRUE(config.Set("Fail", "LoadLibrary16", "31"));
  EXPECT_EQ(system.LoadLibrary16("User.exe"), 31u);
  ASSERT_TRUE(config.Set("Fail", "LoadLibrary16", "1400"));
  EXPECT_EQ(system.LoadLibrary16("User.exe"), 2u);
  ASSERT_TRUE(config.Set("Fail", "LoadLibrary16", ""));
  std::uint32_t user = system.LoadLibrary16("USER");
  ASSERT_TRUE(config.Set("Fail", "GetProcAddress16", "127"));
  EXPECT_EQ(system.GetProcAddress16(user, "ExitWindows"), 0u);
  ASSERT_TRUE(config.Set("Fail", "LoadLibrary", "126"));
  EXPECT_EQ(system.LoadModule("Kernel32.dll"), 0u);
  EXPECT_EQ(system.LastError(), 126u);
  ASSERT_TRUE(config.Set("Fail", "LoadLibrary", ""));
  ModuleHandle kernel = system.LoadModule("KERNEL32");
  ASSERT_TRUE(config.Set("Fail", "GetProcAddress", "127"));
  EXPECT_EQ(system.FindProcAddress(kernel, "QT_Thunk"), 0u);
  ASSERT_TRUE(config.Set("Fail", "GetProcAddress16", ""));
  ASSERT_TRUE(config.Set("Fail", "GetProcAddress", ""));
  EXPECT_EQ(system.FindProcAddress(kernel, "qt_thunk"), 0u);  // exports compare exactly
  ASSERT_TRUE(config.Set("Fail", "ExitWindows", "1"));
  EXPECT_EQ(system.CallThunk16(system.FindProcAddress(kernel, "QT_Thunk"),
                               system.GetProcAddress16(user, "ExitWindows"), 0x42, 0),
            0u);
  EXPECT_EQ(Pending(machine), PowerAction::kNone);
}

TEST(SimShutdownTest, WindowsNtWantsTheShutdownPrivilege) {
  TempMachine machine(OsKind::kNt);
  System& system = machine.system();
  MachineConfig& config = *machine.machine().config;
  EXPECT_FALSE(system.ExitWindowsEx(1, 0));
  EXPECT_EQ(system.LastError(), static_cast<std::uint32_t>(kErrorPrivilegeNotHeld));
  EXPECT_TRUE(system.ExitWindowsEx(0, 0));  // logging off needs no privilege
  EXPECT_EQ(Pending(machine), PowerAction::kLogoff);

  std::uint32_t token = 0, queryOnly = 0;
  Luid luid, debug;
  EXPECT_FALSE(system.LookupPrivilegeValue("SeNoSuchPrivilege", &luid));
  EXPECT_EQ(system.LastError(), static_cast<std::uint32_t>(kErrorNoSuchPrivilege));
  ASSERT_TRUE(system.LookupPrivilegeValue("SeDebugPrivilege", &debug));
  ASSERT_TRUE(system.LookupPrivilegeValue("SeShutdownPrivilege", &luid));
  EXPECT_EQ(luid.low, 19u);
  ASSERT_TRUE(system.OpenProcessToken(0x08, &queryOnly));
  EXPECT_FALSE(system.AdjustTokenPrivilege(queryOnly, luid, 2));
  EXPECT_EQ(system.LastError(), static_cast<std::uint32_t>(kErrorAccessDenied));
  ASSERT_TRUE(system.OpenProcessToken(0x28, &token));
  EXPECT_TRUE(system.AdjustTokenPrivilege(token, debug, 2));  // not held: only a last error
  EXPECT_EQ(system.LastError(), static_cast<std::uint32_t>(kErrorNotAllAssigned));
  EXPECT_FALSE(system.ExitWindowsEx(1, 0));
  EXPECT_TRUE(system.AdjustTokenPrivilege(token, luid, 2));
  EXPECT_EQ(system.LastError(), 0u);
  EXPECT_TRUE(system.ExitWindowsEx(1, 0));
  EXPECT_EQ(Pending(machine), PowerAction::kShutdown);
  EXPECT_LT(system.LoadLibrary16("User.exe"), 32u);  // no 16-bit route on NT

  for (const char* call : {"OpenProcessToken", "LookupPrivilegeValue", "AdjustTokenPrivileges"}) {
    SCOPED_TRACE(call);
    ASSERT_TRUE(config.Set("Fail", call, "1300"));
    std::uint32_t t = token;
    EXPECT_FALSE(system.OpenProcessToken(0x28, &t) &&
                 system.LookupPrivilegeValue("SeShutdownPrivilege", &luid) &&
                 system.AdjustTokenPrivilege(t, luid, 2));
    EXPECT_EQ(system.LastError(), 1300u);
    ASSERT_TRUE(config.Set("Fail", call, "0"));
  }
}

}  // namespace
}  // namespace zuba::platform::sim
