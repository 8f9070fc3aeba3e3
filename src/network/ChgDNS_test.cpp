#include "network/ChgDNS.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "network/ChgWINS.h"
#include "system/Errors.h"
#include "testing/NetMachine.h"
#include "testing/TestMachine.h"

namespace zuba::network {
namespace {

using core::TRegList;
using platform::kHkeyLocalMachine;
using testing::ValueText;

constexpr char kNetTrans[] = "\\System\\CurrentControlSet\\Services\\Class\\NetTrans";
constexpr char kCard[] = "\\System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000";
constexpr char kMstcp[] = "\\System\\CurrentControlSet\\Services\\VxD\\MSTCP";
constexpr char kVnetsup[] = "\\System\\CurrentControlSet\\Services\\VxD\\VNETSUP";

class ChgDnsTest : public ::testing::Test {
 protected:
  ChgDnsTest() { core::InitRegList(list_, false, machine_.system()); }

  void Set(int index, const std::string& value) {
    list_[index].Value = value;
    list_[index].IsSet = true;
  }
  std::string Local(const std::string& path, const std::string& name) {
    return ValueText(machine_.registry(), kHkeyLocalMachine, path, name);
  }

  testing::TestMachine machine_;
  TRegList list_;
};

TEST_F(ChgDnsTest, GenericItemsGoToTheAdapterAndTheFixedKeysOnly) {
  Set(core::kIp, "10.0.0.5");
  Set(core::kGw, "");
  Set(core::kWg, "HOME");
  Set(core::kFs, "no");
  Set(core::kLi, "hanako");
  Set(core::kLd, "OTHERDOM");  // items 14 and up are not the generic writer's
  Set(core::kWp, "10.0.0.9");
  Set(core::kWi, "scope");
  ASSERT_TRUE(AppendAdapterSubkey(list_, "0000", false, machine_.system()));
  EXPECT_TRUE(WriteGenericItems(machine_.registry(), list_).empty());

  EXPECT_EQ(Local(kCard, "IPAddress"), "\"10.0.0.5\"");
  EXPECT_EQ(Local(kCard, "DefaultGateway"), "\"\"");       // an empty list is written, not deleted
  EXPECT_EQ(Local(kCard, "IPMask"), "\"255.255.255.0\"");  // not set: untouched
  EXPECT_EQ(Local(kVnetsup, "WorkGroup"), "\"HOME\"");
  EXPECT_EQ(Local(kVnetsup, "FileSharing"), "\"no\"");
  EXPECT_EQ(Local(kVnetsup, "Comment"), "\"ソフト開発部 表示端末\"");
  EXPECT_EQ(Local("\\Network\\Logon", "username"), "\"hanako\"");
  EXPECT_EQ(Local("\\System\\CurrentControlSet\\Services\\MSNP32\\NetworkProvider",
                  "AuthenticatingAgent"),
            "\"ZUBADOM\"");
  // Not set: the WINS server stays where the machine's Windows keeps it.
  const bool win95 = machine_.from() == testing::Template::kWin95;
  EXPECT_EQ(Local(win95 ? kMstcp : kCard, "NameServer1"), "\"192.168.1.2\"");
  EXPECT_EQ(Local(kMstcp, "ScopeID"), "-");
}

TEST_F(ChgDnsTest, AnEmptyAdapterSubkeyKeepsTheAdapterItemsOutOfTheRegistry) {
  const std::string classKeyBefore =
      testing::ExportKey(machine_.registry(), std::string("HKEY_LOCAL_MACHINE") + kNetTrans);
  Set(core::kIp, "10.0.0.5");
  Set(core::kMs, "255.0.0.0");
  Set(core::kNt, "8");
  Set(core::kDh, "newhost");
  EXPECT_FALSE(AppendAdapterSubkey(list_, "", true, machine_.system()));
  WriteGenericItems(machine_.registry(), list_);
  WriteWinsItems(machine_.registry(), list_[core::kWp], list_[core::kWs], list_[core::kWi],
                 list_[core::kNt]);
  EXPECT_EQ(testing::ExportKey(machine_.registry(), std::string("HKEY_LOCAL_MACHINE") + kNetTrans),
            classKeyBefore);
  EXPECT_EQ(Local(kMstcp, "HostName"), "\"newhost\"");

  // Without adapter-dependent items an empty subkey is no loss.
  core::InitRegList(list_, false, machine_.system());
  Set(core::kDh, "host");
  Set(core::kWi, "scope");  // the scope identifier never depends on the adapter
  EXPECT_TRUE(AppendAdapterSubkey(list_, "", false, machine_.system()));
  EXPECT_EQ(list_[core::kWi].KeyPath, kMstcp);
}

TEST_F(ChgDnsTest, DnsOffDeletesTheFourValuesAfterEnableDnsIsWritten) {
  Set(core::kDe, "1");
  WriteGenericItems(machine_.registry(), list_);
  ClearDnsValues(machine_.registry(), machine_.system(), "1");
  EXPECT_EQ(Local(kMstcp, "HostName"), "\"zubapc\"");

  Set(core::kDe, "0");
  WriteGenericItems(machine_.registry(), list_);
  ClearDnsValues(machine_.registry(), machine_.system(), list_[core::kDe].Value);
  EXPECT_EQ(Local(kMstcp, "EnableDNS"), "\"0\"");
  for (const char* name : {"HostName", "Domain", "NameServer", "SearchList"}) {
    EXPECT_EQ(Local(kMstcp, name), "-") << name;
  }
  EXPECT_EQ(Local(kMstcp, "LMHostFile"), "\"C:\\WINDOWS\\LMHOSTS\"");
  ClearDnsValues(machine_.registry(), machine_.system(), "0");  // again: nothing to delete
}

TEST_F(ChgDnsTest, ValueTypesAndTheirErrors) {
  core::TNetReg item = list_[core::kCc];
  item.Vtype = 'b';
  item.Value = "";
  EXPECT_EQ(WriteItem(machine_.registry(), item), ItemWrite::kWritten);
  EXPECT_EQ(Local(kVnetsup, "Comment"), "dword:00000001");
  item.Value = "0";
  WriteItem(machine_.registry(), item);
  EXPECT_EQ(Local(kVnetsup, "Comment"), "dword:00000000");

  item.Vtype = 'x';
  item.Value = "-2";
  WriteItem(machine_.registry(), item);
  EXPECT_EQ(Local(kVnetsup, "Comment"), "hex:fe,ff,ff,ff");
  item.Value = "1.5";
  try {
    WriteItem(machine_.registry(), item);
    ADD_FAILURE() << "no error";
  } catch (const system::Exception& e) {
    EXPECT_STREQ(e.what(), "'1.5' は整数ではありません");
  }
  EXPECT_EQ(Local(kVnetsup, "Comment"), "hex:fe,ff,ff,ff");

  // An unknown type is reported by name and skipped; the writer goes on.
  Set(core::kWg, "SKIPPED");
  list_[core::kWg].Vtype = 'q';
  Set(core::kLc, "NEWPC");
  EXPECT_THAT(WriteGenericItems(machine_.registry(), list_),
              ::testing::ElementsAre("Apply: Vtype Error\r\nWorkGroup"));
  EXPECT_EQ(Local(kVnetsup, "WorkGroup"), "\"WORKGROUP\"");
  EXPECT_EQ(
      Local("\\System\\CurrentControlSet\\Control\\ComputerName\\ComputerName", "ComputerName"),
      "\"NEWPC\"");
}

TEST_F(ChgDnsTest, AMissingKeyIsSkippedAndNeverCreated) {
  Set(core::kIp, "10.0.0.5");
  AppendAdapterSubkey(list_, "0042", false, machine_.system());
  WriteGenericItems(machine_.registry(), list_);
  EXPECT_FALSE(testing::KeyExists(machine_.registry(), kHkeyLocalMachine,
                                  std::string(kNetTrans) + "\\0042"));
  EXPECT_EQ(WriteItem(machine_.registry(), list_[core::kIp]), ItemWrite::kNotWritten);
}

}  // namespace
}  // namespace zuba::network
