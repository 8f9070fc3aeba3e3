#include "platform/sim/WinCommandLine.h"

#include <gtest/gtest.h>

namespace zuba::platform::sim {
namespace {

using Strings = std::vector<std::string>;

Strings Programs(const std::string& line) {
  Strings programs;
  for (const ProgramGuess& g : ProgramGuesses(line)) programs.push_back(g.program);
  return programs;
}

TEST(WinCommandLineTest, ReadsTheProgramAsCreateProcessDoes) {
  EXPECT_EQ(Programs("C:\\Program Files\\A B.exe x"),
            (Strings{"C:\\Program", "C:\\Program Files\\A", "C:\\Program Files\\A B.exe",
                     "C:\\Program Files\\A B.exe x"}));
  std::vector<ProgramGuess> quoted = ProgramGuesses("  \"C:\\My Dir\\a.exe\"-x y");
  ASSERT_EQ(quoted.size(), 1u);
  EXPECT_EQ(quoted[0].program, "C:\\My Dir\\a.exe");
  EXPECT_EQ(quoted[0].arguments, "-x y");
  EXPECT_EQ(ProgramGuesses("\"unclosed dir\\a")[0].program, "unclosed dir\\a");
  EXPECT_EQ(ProgramGuesses("a.exe  b")[0].arguments, "  b");
  EXPECT_TRUE(ProgramGuesses(" \t ").empty());
  EXPECT_EQ(Programs("a\t b"), (Strings{"a", "a\t b"}));
}

TEST(WinCommandLineTest, AddsExeAndTellsPaths) {
  EXPECT_EQ(WithDefaultExtension("notepad"), "notepad.exe");
  EXPECT_EQ(WithDefaultExtension("NOTEPAD.COM"), "NOTEPAD.COM");
  EXPECT_EQ(WithDefaultExtension("C:\\v1.2\\tool"), "C:\\v1.2\\tool.exe");
  EXPECT_FALSE(HasPathPart("rundll32.exe"));
  EXPECT_TRUE(HasPathPart("C:a.exe"));
  EXPECT_TRUE(HasPathPart("sub\\a.exe"));
  // "ソ" is 83 5C: its trail byte is no backslash.
  EXPECT_FALSE(HasPathPart("\x83\x5C.exe"));
}

TEST(WinCommandLineTest, SplitsArgumentsAsTheCRuntime) {
  EXPECT_EQ(SplitArguments("shell32.dll,Control_RunDLL  netcpl.cpl "),
            (Strings{"shell32.dll,Control_RunDLL", "netcpl.cpl"}));
  EXPECT_EQ(SplitArguments("\"a b\" c\"d e\"f"), (Strings{"a b", "cd ef"}));
  EXPECT_EQ(SplitArguments("a\\\\\"b c\" d"), (Strings{"a\\b c", "d"}));
  EXPECT_EQ(SplitArguments("a\\\"b a\\b"), (Strings{"a\"b", "a\\b"}));
  EXPECT_EQ(SplitArguments("\"say \"\"hi\"\"\""), (Strings{"say \"hi\""}));
  EXPECT_EQ(SplitArguments("\"\" x"), (Strings{"", "x"}));
  EXPECT_EQ(SplitArguments("\x83\x5C\"a b\""), (Strings{"\x83\x5C"
                                                        "a b"}));
  EXPECT_TRUE(SplitArguments("   ").empty());
}

}  // namespace
}  // namespace zuba::platform::sim
