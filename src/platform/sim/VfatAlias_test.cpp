#include "platform/sim/VfatAlias.h"

#include <gtest/gtest.h>

namespace zuba::platform::sim {
namespace {

std::string AliasOf(const std::string& name) { return AssignAliases({name})[0]; }

TEST(VfatAliasTest, FollowsTheAliasRules) {
  EXPECT_EQ(AliasOf("HOSTS.SAM"), "");  // its own alias
  EXPECT_EQ(AliasOf("ZUBANET"), "");
  EXPECT_EQ(AliasOf("Examples.Txt"), "EXAMPLES.TXT");  // case only: no number
  EXPECT_EQ(AliasOf("hosts"), "HOSTS");
  EXPECT_EQ(AliasOf("A file.doc"), "AFILE~1.DOC");
  EXPECT_EQ(AliasOf("This is a really long filename.123.456.789.txt"), "THISIS~1.TXT");
  EXPECT_EQ(AliasOf("This is a really long filename.123.456.789."), "THISIS~1.789");
  EXPECT_EQ(AliasOf("ver +1.2.text"), "VER_12~1.TEX");
  EXPECT_EQ(AliasOf("hosts.office"), "HOSTS~1.OFF");
  EXPECT_EQ(AliasOf("...test"), "TEST~1");
  EXPECT_EQ(AliasOf("Program Files"), "PROGRA~1");
  EXPECT_EQ(AliasOf("a[1];b=c"), "A_1__B~1");
  EXPECT_EQ(AliasOf("a:b*c\\.t|x"), "A_B_C_~1.T_X");  // bytes only a host name can hold
  // A double-byte character is never cut and its trail byte never folded:
  // 0x83 0x5C and 0x82 0x61 are two-byte characters.
  EXPECT_EQ(AliasOf("ab\x83\x5C\x82\x61xyz.txt"), "AB\x83\x5C\x82\x61~1.TXT");
  EXPECT_EQ(AliasOf("abcde\x83\x5Cxyz.t\x83\x5Cx"), "ABCDE~1.T\x83\x5C");
  EXPECT_EQ(AliasOf("abcd.\x83\x5C\x83\x5Cx"), "ABCD~1.\x83\x5C");
}

TEST(VfatAliasTest, NumbersCollisionsInSortedOrder) {
  // The order given does not matter: numbers follow the sorted long names.
  std::vector<std::string> names = {"hosts.office2", "HOSTS~1.OFF", "hosts.office", "Hosts.Offline",
                                    "hosts.OFFICE3"};
  std::vector<std::string> aliases = AssignAliases(names);
  EXPECT_EQ(aliases[1], "");  // a real name the numbering skips
  EXPECT_EQ(aliases[2], "HOSTS~2.OFF");
  EXPECT_EQ(aliases[0], "HOSTS~3.OFF");
  EXPECT_EQ(aliases[4], "HOSTS~4.OFF");
  EXPECT_EQ(aliases[3], "HOSTS~5.OFF");

  // A case-only name whose upper-case form is taken gets a number.
  aliases = AssignAliases({"README.TXT", "readme.txt"});
  EXPECT_EQ(aliases[0], "");
  EXPECT_EQ(aliases[1], "README~1.TXT");

  // Past ~9 the base gives up a byte.
  std::vector<std::string> many;
  for (int i = 0; i < 11; ++i) many.push_back("long file " + std::to_string(i + 10) + ".txt");
  aliases = AssignAliases(many);
  EXPECT_EQ(aliases[8], "LONGFI~9.TXT");
  EXPECT_EQ(aliases[9], "LONGF~10.TXT");
  EXPECT_EQ(aliases[10], "LONGF~11.TXT");
}

}  // namespace
}  // namespace zuba::platform::sim
