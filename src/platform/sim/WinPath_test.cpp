#include "platform/sim/WinPath.h"

#include <gtest/gtest.h>

namespace zuba::platform::sim {
namespace {

std::string Resolved(const std::string& path, const std::string& current = "C:\\ZUBANET") {
  WinPath out;
  return ResolveWinPath(path, current, Wildcards::kRefuse, &out) ? out.ToString() : "<refused>";
}

TEST(WinPathTest, ResolvesTheWin32Forms) {
  EXPECT_EQ(Resolved("c:\\windows\\win.ini"), "C:\\windows\\win.ini");
  EXPECT_EQ(Resolved("C:/WINDOWS//./SYSTEM/../win.ini"), "C:\\WINDOWS\\win.ini");
  EXPECT_EQ(Resolved("zubanet.ini"), "C:\\ZUBANET\\zubanet.ini");
  EXPECT_EQ(Resolved("..\\AUTOEXEC.BAT"), "C:\\AUTOEXEC.BAT");
  EXPECT_EQ(Resolved("\\WINDOWS"), "C:\\WINDOWS");
  EXPECT_EQ(Resolved("C:sub"), "C:\\ZUBANET\\sub");
  EXPECT_EQ(Resolved("D:sub"), "D:\\sub");
  EXPECT_EQ(Resolved("C:\\"), "C:\\");
  EXPECT_EQ(Resolved("C:\\WINDOWS\\hosts. . "), "C:\\WINDOWS\\hosts");
  // 0x83 0x5C is one character, not a separator.
  EXPECT_EQ(Resolved("C:\\\x83\x5C\\x"), "C:\\\x83\x5C\\x");
}

TEST(WinPathTest, RefusesWhatLeavesTheDriveOrIsNoPath) {
  EXPECT_EQ(Resolved("C:\\.."), "<refused>");
  EXPECT_EQ(Resolved("C:\\WINDOWS\\..\\..\\etc\\passwd"), "<refused>");
  EXPECT_EQ(Resolved("..\\..\\x"), "<refused>");
  EXPECT_EQ(Resolved("\\\\server\\share\\x"), "<refused>");
  EXPECT_EQ(Resolved(""), "<refused>");
  EXPECT_EQ(Resolved("C:\\a\\...\\b"), "<refused>");
  EXPECT_EQ(Resolved("C:\\a:b"), "<refused>");
  EXPECT_EQ(Resolved("C:\\a|b"), "<refused>");
  EXPECT_EQ(Resolved("C:\\*.ini"), "<refused>");
  EXPECT_EQ(Resolved("C:\\a\x01"), "<refused>");
  EXPECT_EQ(Resolved("C:\\" + std::string(256, 'a')), "<refused>");
  EXPECT_EQ(Resolved("C:\\" + std::string(200, 'a') + "\\" + std::string(60, 'b')), "<refused>");
  EXPECT_EQ(Resolved("x.ini", "relative\\dir"), "<refused>");
  // 0x83 0x7C has the trail byte '|' and is a valid character.
  EXPECT_EQ(Resolved("C:\\\x83\x7C"), "C:\\\x83\x7C");

  WinPath out;
  EXPECT_TRUE(ResolveWinPath("C:\\WINDOWS\\*.", "", Wildcards::kAllowInLast, &out));
  EXPECT_EQ(out.components.back(), "*.");
  EXPECT_FALSE(ResolveWinPath("C:\\W*\\x", "", Wildcards::kAllowInLast, &out));
}

}  // namespace
}  // namespace zuba::platform::sim
