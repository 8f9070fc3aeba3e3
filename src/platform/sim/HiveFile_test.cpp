#include "platform/sim/HiveFile.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/sim/RegTree.h"

namespace zuba::platform::sim {
namespace {

std::string Values(const RegNode& node) {
  std::string out;
  for (std::size_t i = 0; i < node.ValueCount(); ++i) {
    out += node.Value(i).name + "=" + node.Value(i).data + ";";
  }
  return out;
}

// A hive file's values land on their key as the registry's own writes would
// put them: in file order, a name given again (in any case) replacing the
// data in its first place, a key named again getting more values, a removal
// taking one away.
TEST(HiveFileTest, ValuesOfAKeyAreSetInFileOrder) {
  const std::string text =
      "REGEDIT4\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\A]\r\n\"a\"=\"1\"\r\n\"b\"=\"2\"\r\n\"A\"=\"3\"\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\B]\r\n\"x\"=\"1\"\r\n\"y\"=\"2\"\r\n\"x\"=-\r\n\"z\"=\"3\"\r\n\r\n"
      "[HKEY_LOCAL_MACHINE\\A]\r\n\"c\"=\"4\"\r\n\"b\"=\"5\"\r\n";
  std::unique_ptr<RegNode> tree = ParseHiveText(text, RegRoot::kLocalMachine, "system.reg");
  ASSERT_NE(tree->FindChild("A"), nullptr);
  ASSERT_NE(tree->FindChild("B"), nullptr);
  EXPECT_EQ(Values(*tree->FindChild("A")), std::string("a=3") + '\0' + ";b=5" + '\0' + ";c=4" + '\0' + ";");
  EXPECT_EQ(Values(*tree->FindChild("B")), std::string("y=2") + '\0' + ";z=3" + '\0' + ";");
}

}  // namespace
}  // namespace zuba::platform::sim
