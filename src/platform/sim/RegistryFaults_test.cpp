#include "platform/sim/RegistryFaults.h"

#include <gtest/gtest.h>

#include "platform/sim/SimRegistry.h"
#include "testing/TempMachine.h"

namespace zuba::platform::sim {
namespace {

class RegistryFaultsTest : public ::testing::Test {
 protected:
  Registry& registry() { return machine_.registry(); }
  void Fail(const std::string& call, const std::string& code) {
    ASSERT_TRUE(machine_.machine().config->Set("Fail", call, code));
  }
  RegKey Open(const std::string& path, RegKey root = kHkeyLocalMachine) {
    RegKey key = 0;
    EXPECT_EQ(registry().OpenKey(root, path, &key), kErrorSuccess) << path;
    return key;
  }
  testing::TempMachine machine_;
  const RegValue value_{kRegSz, "x"};
};

TEST_F(RegistryFaultsTest, SwitchRefusesItsCallBelowItsKeyOnly) {
  Fail("RegSetValue:hkey_local_machine\\system\\CurrentControlSet\\Services\\VxD", "5");
  RegKey mstcp = Open("\\System\\CurrentControlSet\\Services\\VxD\\MSTCP");
  RegKey vxd = Open("System\\CurrentControlSet\\Services\\VxD");
  RegKey logon = Open("Network\\Logon");
  EXPECT_EQ(registry().SetValue(mstcp, "HostName", value_), kErrorAccessDenied);
  EXPECT_EQ(registry().SetValue(vxd, "v", value_), kErrorAccessDenied);
  EXPECT_EQ(registry().SetValue(logon, "username", value_), kErrorSuccess);
  // A sibling whose name only starts the same is not below it.
  RegKey vxdx;
  ASSERT_EQ(registry().CreateKey(kHkeyLocalMachine, "System\\CurrentControlSet\\Services\\VxDx",
                                 &vxdx),
            kErrorSuccess);
  EXPECT_EQ(registry().SetValue(vxdx, "v", value_), kErrorSuccess);
  // Other calls and reads go through.
  EXPECT_EQ(registry().DeleteValue(mstcp, "HostName"), kErrorSuccess);
  RegValue read;
  EXPECT_EQ(registry().QueryValue(mstcp, "EnableDNS", &read), kErrorSuccess);
  for (RegKey key : {mstcp, vxd, logon, vxdx}) registry().CloseKey(key);
}

TEST_F(RegistryFaultsTest, EveryWriteCallHasASwitchAndAPlainSwitchRefusesEverywhere) {
  Fail("RegCreateKey", "8");
  Fail("RegDeleteKey:HKEY_CURRENT_USER\\RemoteAccess", "5");
  Fail("RegDeleteValue:HKEY_CURRENT_USER", "5");
  Fail("RegFlushKey:HKEY_LOCAL_MACHINE", "1016");
  RegKey key = 0;
  EXPECT_EQ(registry().CreateKey(kHkeyLocalMachine, "Network\\Logon", &key), kErrorNotEnoughMemory);
  EXPECT_EQ(registry().DeleteKey(kHkeyCurrentUser, "RemoteAccess\\Profile"), kErrorAccessDenied);
  EXPECT_EQ(registry().DeleteValue(Open("RemoteAccess", kHkeyCurrentUser), "InternetProfile"),
            kErrorAccessDenied);
  EXPECT_EQ(registry().FlushKey(kHkeyLocalMachine), kErrorRegistryIoFailed);
  EXPECT_EQ(registry().FlushKey(kHkeyCurrentUser), kErrorSuccess);
  EXPECT_EQ(registry().DeleteKey(kHkeyLocalMachine, "Network\\Logon"), kErrorSuccess);

  // Switched off again, the calls work.
  Fail("RegCreateKey", "0");
  EXPECT_EQ(registry().CreateKey(kHkeyLocalMachine, "Network\\Logon", &key), kErrorSuccess);
}

TEST_F(RegistryFaultsTest, OneWriteStillBatchesThroughTheSwitches) {
  Fail("RegSetValue:HKEY_LOCAL_MACHINE\\Network", "5");
  RegKey logon = Open("Network\\Logon");
  RegKey mstcp = Open("System\\CurrentControlSet\\Services\\VxD\\MSTCP");
  long refused = 0;
  EXPECT_EQ(ApplyAsOneWrite(registry(),
                            [&] {
                              EXPECT_EQ(registry().SetValue(mstcp, "HostName", value_),
                                        kErrorSuccess);
                              refused = registry().SetValue(logon, "username", value_);
                            }),
            kErrorSuccess);
  EXPECT_EQ(refused, kErrorAccessDenied);
  machine_.Reopen();
  RegValue read;
  EXPECT_EQ(registry().QueryValue(Open("System\\CurrentControlSet\\Services\\VxD\\MSTCP"),
                                  "HostName", &read),
            kErrorSuccess);
  EXPECT_EQ(read.data, std::string("x\0", 2));
}

}  // namespace
}  // namespace zuba::platform::sim
