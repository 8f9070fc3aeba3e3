#include "platform/sim/SimShell.h"

#include <gtest/gtest.h>

#include "platform/WinError.h"
#include "testing/TempMachine.h"

namespace zuba::platform::sim {
namespace {

using testing::TempMachine;

// What only the simulated shell has: its folders as machine.ini places
// them (made when missing, a trail byte 0x5C at the end kept), the
// [Fail] entry, the fields its text cannot keep, and the file's text.
TEST(SimShellTest, FoldersComeFromMachineIniAndAreMadeWhenMissing) {
  TempMachine machine;
  System& system = machine.system();
  MachineConfig& config = *machine.machine().config;
  std::string path;
  ASSERT_TRUE(system.GetSpecialFolder(kCsidlDesktopDirectory, &path));
  EXPECT_EQ(path, "C:\\WINDOWS\\ﾃﾞｽｸﾄｯﾌﾟ");
  const struct {
    const char* configured;
    const char* answered;
  } cases[] = {
      {"D:\\", ""},  // no drive D: the folder cannot be made
      {"C:\\USERS\\ソ\\", "C:\\USERS\\ソ"},
      {"C:\\表", "C:\\表"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(config.Set("Shell", "Desktop", c.configured));
    path.clear();
    EXPECT_EQ(system.GetSpecialFolder(kCsidlDesktopDirectory, &path), *c.answered != '\0')
        << c.configured;
    EXPECT_EQ(path, c.answered);
    if (*c.answered) {
      EXPECT_NE(machine.files().GetAttributes(path), kInvalidAttributes) << path;
    }
  }
  ASSERT_TRUE(config.Set("Fail", "SHGetSpecialFolderLocation", "5"));
  EXPECT_FALSE(system.GetSpecialFolder(kCsidlPrograms, &path));
  EXPECT_EQ(system.LastError(), static_cast<std::uint32_t>(kErrorAccessDenied));
}

TEST(SimShellTest, TheLinkTextKeepsEveryFieldButLineBreaks) {
  const ShellLink link{"C:\\ZUBANET\\ZUBANET.EXE", "\"a=b\" /c", "C:\\ZUBANET", "x"};
  EXPECT_EQ(ShellLinkText(link),
            "[ShellLink]\r\nTarget=C:\\ZUBANET\\ZUBANET.EXE\r\nArguments=\"a=b\" /c\r\n"
            "WorkingDirectory=C:\\ZUBANET\r\nDescription=x\r\n");
  ShellLink read;
  ASSERT_TRUE(ParseShellLinkText(ShellLinkText(link), &read));
  EXPECT_EQ(read.arguments, link.arguments);
  EXPECT_FALSE(ParseShellLinkText("", &read));
  EXPECT_FALSE(ParseShellLinkText("Target=C:\\A.EXE\r\n", &read));

  TempMachine machine;
  for (const char* broken : {"a\r\nb", "a\nb"}) {
    ShellLink bad = link;
    bad.description = broken;
    EXPECT_FALSE(machine.system().WriteShellLink("C:\\A.LNK", bad));
    EXPECT_EQ(machine.system().LastError(), static_cast<std::uint32_t>(kErrorInvalidParameter));
  }
  EXPECT_EQ(machine.files().GetAttributes("C:\\A.LNK"), kInvalidAttributes);
}

}  // namespace
}  // namespace zuba::platform::sim
