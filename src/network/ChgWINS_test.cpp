#include "network/ChgWINS.h"

#include <gtest/gtest.h>

#include "network/ChgDNS.h"
#include "testing/NetMachine.h"
#include "testing/TestMachine.h"

namespace zuba::network {
namespace {

using platform::kHkeyLocalMachine;
using testing::Template;

constexpr char kCard[] = "\\System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000";
constexpr char kMstcp[] = "\\System\\CurrentControlSet\\Services\\VxD\\MSTCP";

// The four WINS values where they are written: servers and node type at
// `serverKey`, the scope identifier always under MSTCP.
struct WinsValues {
  std::string primary, secondary, nodeType, scope;
};

class ChgWinsTest : public ::testing::TestWithParam<Template> {
 protected:
  // Applies the WINS items of a Setting as the apply flow does.
  void Apply(const std::string& wp, const std::string& ws, const std::string& wi,
             const std::string& nt, bool force = false) {
    core::TRegList list;
    core::InitRegList(list, force, machine_.system());
    for (auto [index, value] : {std::pair{core::kWp, wp}, std::pair{core::kWs, ws},
                                std::pair{core::kWi, wi}, std::pair{core::kNt, nt}}) {
      list[index].Value = value;
      list[index].IsSet = true;
    }
    AppendAdapterSubkey(list, "0000", force, machine_.system());
    WriteWinsItems(machine_.registry(), list[core::kWp], list[core::kWs], list[core::kWi],
                   list[core::kNt]);
  }
  WinsValues Read(const std::string& serverKey) {
    auto value = [&](const char* path, const char* name) {
      return testing::ValueText(machine_.registry(), kHkeyLocalMachine, path, name);
    };
    return {value(serverKey.c_str(), "NameServer1"), value(serverKey.c_str(), "NameServer2"),
            value(serverKey.c_str(), "NodeType"), value(kMstcp, "ScopeID")};
  }
  std::string ServerKey() const { return GetParam() == Template::kWin98 ? kCard : kMstcp; }

  testing::TestMachine machine_{GetParam()};
};

TEST_P(ChgWinsTest, NodeTypeDecidesWhatIsWrittenAndWhatIsDeleted) {
  Apply("10.0.0.9", "", "corp", "8");
  WinsValues on = Read(ServerKey());
  EXPECT_EQ(on.primary, "\"10.0.0.9\"");
  EXPECT_EQ(on.secondary, "\"\"");  // an empty server is written, not deleted
  EXPECT_EQ(on.nodeType, "\"8\"");
  EXPECT_EQ(on.scope, "\"corp\"");

  Apply("10.0.0.9", "10.0.0.10", "corp", "1");
  WinsValues off = Read(ServerKey());
  EXPECT_EQ(off.primary, "-");
  EXPECT_EQ(off.secondary, "-");
  EXPECT_EQ(off.nodeType, "\"1\"");
  EXPECT_EQ(off.scope, "-");

  Apply("", "", "", "8");
  Apply("", "", "", "");
  WinsValues dhcp = Read(ServerKey());
  EXPECT_EQ(dhcp.primary, "-");
  EXPECT_EQ(dhcp.secondary, "-");
  EXPECT_EQ(dhcp.nodeType, "-");
  EXPECT_EQ(dhcp.scope, "-");
}

TEST_P(ChgWinsTest, ForcedWin98ModeWritesTheServersIntoTheAdapterSubkey) {
  const WinsValues mstcpBefore = Read(kMstcp);
  Apply("10.0.0.9", "10.0.0.10", "", "8", /*force=*/true);
  WinsValues card = Read(kCard);
  EXPECT_EQ(card.primary, "\"10.0.0.9\"");
  EXPECT_EQ(card.secondary, "\"10.0.0.10\"");
  EXPECT_EQ(card.nodeType, "\"8\"");
  WinsValues mstcp = Read(kMstcp);
  EXPECT_EQ(mstcp.primary, mstcpBefore.primary);
  EXPECT_EQ(mstcp.nodeType, mstcpBefore.nodeType);
  EXPECT_EQ(mstcp.scope, "\"\"");
}

// A Setting may carry the node type without the servers (one written by an
// older version, or edited by hand): the servers the writer writes or deletes
// for it still belong to the adapter, never to the NetTrans class key.
TEST_P(ChgWinsTest, ServersTheSettingLacksAreWrittenWhereItsNodeTypeGoes) {
  // The class key's own values, without its subkeys.
  auto classValues = [&] {
    const std::string text = testing::ExportKey(
        machine_.registry(),
        "HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\Class\\NetTrans");
    return text.substr(0, text.find("\\0000]"));
  };
  const std::string before = classValues();
  const std::string serverKey = GetParam() == Template::kWin98
                                    ? "\\System\\CurrentControlSet\\Services\\Class\\NetTrans\\0001"
                                    : kMstcp;
  for (const char* nodeType : {"8", "1"}) {
    core::TRegList list;
    core::InitRegList(list, false, machine_.system());
    list[core::kNt].Value = nodeType;
    list[core::kNt].IsSet = true;
    AppendAdapterSubkey(list, "0001", false, machine_.system());
    WriteWinsItems(machine_.registry(), list[core::kWp], list[core::kWs], list[core::kWi],
                   list[core::kNt]);
    EXPECT_EQ(classValues(), before) << nodeType;
    WinsValues written = Read(serverKey);
    EXPECT_EQ(written.primary, *nodeType == '8' ? "\"\"" : "-") << nodeType;
    EXPECT_EQ(written.nodeType, std::string("\"") + nodeType + "\"");
  }
}

INSTANTIATE_TEST_SUITE_P(Templates, ChgWinsTest, ::testing::ValuesIn(testing::AvailableTemplates()),
                         [](const auto& info) {
                           return info.param == Template::kWin98 ? "Win98" : "Win95";
                         });

TEST(NodeTypeForTest, DhcpThenPrimaryServer) {
  EXPECT_EQ(NodeTypeFor(true, "10.0.0.9"), "");
  EXPECT_EQ(NodeTypeFor(false, "10.0.0.9"), "8");
  EXPECT_EQ(NodeTypeFor(false, ""), "1");
}

}  // namespace
}  // namespace zuba::network
