#include "network/ChgLogon.h"

#include <gtest/gtest.h>

#include "system/Errors.h"
#include "testing/NetMachine.h"
#include "testing/TestMachine.h"

namespace zuba::network {
namespace {

using platform::kHkeyLocalMachine;

constexpr char kClientDefault[] =
    "System\\CurrentControlSet\\Services\\Class\\NetClient\\0000\\Ndi\\Default";
constexpr char kLogon[] = "\\Network\\Logon";
constexpr char kRealModeNet[] =
    "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Network\\Real Mode Net";
constexpr char kProvider[] = "\\System\\CurrentControlSet\\Services\\MSNP32\\NetworkProvider";

// The logon values as one line, for comparisons.
class ChgLogonTest : public ::testing::Test {
 protected:
  std::string Value(const std::string& path, const std::string& name) {
    return testing::ValueText(machine_.registry(), kHkeyLocalMachine, path, name);
  }
  std::string LogonValues() {
    return Value(kClientDefault, "") + " " + Value(kLogon, "PrimaryProvider") + " " +
           Value(kRealModeNet, "preferredredir") + " " + Value(kProvider, "AuthenticatingAgent") +
           " " + Value(kLogon, "LMLogon");
  }
  int Index() { return GetLogonProviderIndex(machine_.registry(), lead_); }
  void Change(int choice, const std::string& domain) {
    ChangeLogonProvider(machine_.registry(), lead_, choice, domain);
  }

  testing::TestMachine machine_;
  system::LeadBytes lead_{machine_.system()};
};

TEST_F(ChgLogonTest, SwitchingBackAndForthAndTheIndexFollows) {
  EXPECT_EQ(FindClientDefaultKey(machine_.registry(), lead_), kClientDefault);
  EXPECT_EQ(Index(), kNetworkClientLogon);

  Change(kWindowsLogon, "");
  EXPECT_EQ(LogonValues(), "no key \"\" \"\" \"\" dword:00000000");
  EXPECT_FALSE(testing::KeyExists(machine_.registry(), kHkeyLocalMachine, kClientDefault));
  EXPECT_TRUE(
      testing::KeyExists(machine_.registry(), kHkeyLocalMachine,
                         "System\\CurrentControlSet\\Services\\Class\\NetClient\\0000\\Ndi"));
  EXPECT_EQ(Index(), kWindowsLogon);

  Change(kNetworkClientLogon, "ZUBADOM");
  EXPECT_EQ(LogonValues(), "\"True\" \"Microsoft Network\" \"VREDIR\" \"ZUBADOM\" dword:00000001");
  EXPECT_EQ(Index(), kNetworkClientLogon);

  Change(kNetworkClientLogon, "");
  EXPECT_EQ(LogonValues(), "\"True\" \"Microsoft Network\" \"VREDIR\" \"\" dword:00000000");

  Change(kWindowsLogon, "NTDOM");
  EXPECT_EQ(LogonValues(), "no key \"\" \"\" \"NTDOM\" dword:00000001");
  EXPECT_EQ(Index(), kWindowsLogon);
}

TEST_F(ChgLogonTest, OtherChoicesChangeNothing) {
  const std::string before = testing::ExportKey(machine_.registry(), "HKEY_LOCAL_MACHINE");
  Change(kOtherLogon, "ELSEWHERE");
  Change(-1, "ELSEWHERE");
  EXPECT_EQ(testing::ExportKey(machine_.registry(), "HKEY_LOCAL_MACHINE"), before);
}

TEST_F(ChgLogonTest, HalfWidthClientNameIsTriedFirst) {
  testing::EditRegistry(machine_.registry(), R"(
[HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetClient\0001]
"DriverDesc"="MICROSOFT ﾈｯﾄﾜｰｸ ｸﾗｲｱﾝﾄ"
)");
  const std::string halfWidth =
      "System\\CurrentControlSet\\Services\\Class\\NetClient\\0001\\Ndi\\Default";
  EXPECT_EQ(FindClientDefaultKey(machine_.registry(), lead_), halfWidth);
  EXPECT_EQ(Index(), kWindowsLogon);  // 0001 has no Ndi\Default yet
  Change(kNetworkClientLogon, "D");
  EXPECT_EQ(Value(halfWidth, ""), "\"True\"");
  EXPECT_EQ(Index(), kNetworkClientLogon);
}

TEST_F(ChgLogonTest, WithoutClientOnlyTheWindowsLogonWrites) {
  testing::EditRegistry(machine_.registry(), R"(
[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\Class\NetClient\0000]
[-HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services\MSNP32]
[-HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Network]
)");
  EXPECT_EQ(FindClientDefaultKey(machine_.registry(), lead_), "");
  EXPECT_EQ(Index(), kWindowsLogon);
  const std::string before = testing::ExportKey(machine_.registry(), "HKEY_LOCAL_MACHINE");
  Change(kNetworkClientLogon, "ZUBADOM");
  EXPECT_EQ(testing::ExportKey(machine_.registry(), "HKEY_LOCAL_MACHINE"), before);

  // The domain's key is created; the provider values are written only where
  // their keys exist.
  Change(kWindowsLogon, "ZUBADOM");
  EXPECT_EQ(LogonValues(), "no key \"\" no key \"ZUBADOM\" dword:00000001");
}

// A registry that refuses to store values and counts the handles.
class RefusingRegistry : public platform::RegistryWrapper {
 public:
  using RegistryWrapper::RegistryWrapper;
  long OpenKey(platform::RegKey parent, const std::string& subKey,
               platform::RegKey* result) override {
    long rc = target().OpenKey(parent, subKey, result);
    if (rc == platform::kErrorSuccess) ++open;
    return rc;
  }
  long CreateKey(platform::RegKey parent, const std::string& subKey,
                 platform::RegKey* result) override {
    if (refuseCreate) return platform::kErrorAccessDenied;
    long rc = target().CreateKey(parent, subKey, result);
    if (rc == platform::kErrorSuccess) ++open;
    return rc;
  }
  long CloseKey(platform::RegKey key) override {
    --open;
    return target().CloseKey(key);
  }
  long SetValue(platform::RegKey, const std::string&, const platform::RegValue&) override {
    return platform::kErrorCantWrite;
  }
  int open = 0;
  bool refuseCreate = false;
};

// A refused write ends the change with the registry's error naming the value,
// and every key opened or created on the way is closed again.
TEST_F(ChgLogonTest, RefusedWritesRaiseAndCloseTheirKeys) {
  RefusingRegistry refusing(machine_.registry());
  for (int choice : {kNetworkClientLogon, kWindowsLogon}) {
    try {
      ChangeLogonProvider(refusing, lead_, choice, "ZUBADOM");
      ADD_FAILURE() << "no error for choice " << choice;
    } catch (const system::ERegistryException& e) {
      if (choice == kWindowsLogon) {
        EXPECT_NE(std::string(e.what()).find("PrimaryProvider"), std::string::npos) << e.what();
      }
    }
    EXPECT_EQ(refusing.open, 0) << choice;
  }
  refusing.refuseCreate = true;
  try {
    SetAuthenticatingDomain(refusing, "ZUBADOM");
    ADD_FAILURE() << "no error for a key that cannot be created";
  } catch (const system::ERegistryException& e) {
    EXPECT_NE(std::string(e.what()).find("AuthenticatingAgent"), std::string::npos) << e.what();
  }
  EXPECT_EQ(refusing.open, 0);
}

}  // namespace
}  // namespace zuba::network
