// Shortcuts to settings made on the desktop through the option menu with
// zubanet --headless, and read back with zubanet-machine show: several at
// once, with and without /c, a name with blanks, names a file name cannot
// hold, a name the command line cannot carry, and one already there.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/WinCommandLine.h"
#include "testing/MachineTool.h"
#include "testing/TempMachine.h"

namespace zuba::app {
namespace {

constexpr char kDesktop[] = "C:\\WINDOWS\\ﾃﾞｽｸﾄｯﾌﾟ\\";
constexpr char kMake[] = "--do 'click BtOpt' --do 'click pmShortcut' ";

class DesktopShortcutTest : public testing::ZubaNetTest {
 protected:
  DesktopShortcutTest() {
    EXPECT_TRUE(machine_.files().WriteBytes(
        "C:\\ZUBANET\\Zubanet.ini",
        "[Initialize]\r\nIniConvert=1\r\n[Office]\r\ncp=0\r\n[自宅 LAN]\r\ncp=0\r\n"
        "[A/B:C]\r\ncp=0\r\n[表示]\r\ncp=0\r\n[say \"hi\"]\r\ncp=0\r\n"
        "[SETTINGLIST]\r\nSETTINGS.Count=5\r\nSETTINGS.0=Office\r\nSETTINGS.1=自宅 LAN\r\n"
        "SETTINGS.2=A/B:C\r\nSETTINGS.3=表示\r\nSETTINGS.4=say \"hi\"\r\n"));
  }
  // The arguments of the desktop's shortcut `file` as Windows splits them.
  std::vector<std::string> Arguments(const std::string& file) {
    platform::ShellLink link;
    if (!machine_.system().ReadShellLink(kDesktop + file, &link)) return {"(no shortcut)"};
    EXPECT_EQ(link.target, "C:\\ZUBANET\\ZUBANET.EXE");
    EXPECT_EQ(link.workingDirectory, "C:\\ZUBANET");
    return platform::sim::SplitArguments(link.arguments);
  }
  bool Shows(const std::string& text) { return out_.find(text) != std::string::npos; }

  testing::TempMachine machine_;
};

TEST_F(DesktopShortcutTest, EachChosenSettingGetsAShortcutThatStartsItWhole) {
  ASSERT_EQ(RunZubaNet(machine_.directory(),
                       std::string(kMake) +
                           u8"--do 'toggle LbChoices 自宅 LAN' --do 'toggle LbChoices A/B:C' "
                           u8"--do 'toggle LbChoices 表示' --do 'click CbNoQuestion' "
                           "--do 'click BtOk' --answer ok"),
            0)
      << err_;
  EXPECT_NE(err_.find(u8"デスクトップに次のショートカットを作りました"), std::string::npos) << err_;
  using Split = std::vector<std::string>;
  EXPECT_EQ(Arguments("自宅 LAN.lnk"), (Split{"自宅 LAN", "/c"}));
  EXPECT_EQ(Arguments("A_B_C.lnk"), (Split{"A/B:C", "/c"}));
  EXPECT_EQ(Arguments("表示.lnk"), (Split{"表示", "/c"}));  // 表 ends in the byte 0x5C
  EXPECT_EQ(Arguments("Office.lnk"), (Split{"(no shortcut)"}));

  ASSERT_EQ(RunTool(machine_.directory(), "show"), 0) << err_;
  EXPECT_TRUE(Shows(u8"Desktop shortcuts (C:\\WINDOWS\\ﾃﾞｽｸﾄｯﾌﾟ)")) << out_;
  EXPECT_TRUE(Shows(u8"  自宅 LAN.lnk      C:\\ZUBANET\\ZUBANET.EXE \"自宅 LAN\" /c\n")) << out_;
  EXPECT_TRUE(Shows(u8"  A_B_C.lnk         C:\\ZUBANET\\ZUBANET.EXE \"A/B:C\" /c\n")) << out_;
}

// Without /c; a name holding '"' gets none and the user is told; a
// shortcut already there is replaced only when the user says yes.
TEST_F(DesktopShortcutTest, WhatCannotBeMadeIsToldAndWhatIsThereIsAskedFor) {
  const std::string office = std::string(kMake) + "--do 'toggle LbChoices Office' ";
  ASSERT_EQ(RunZubaNet(machine_.directory(),
                       office + "--do 'toggle LbChoices say \"hi\"' --do 'click BtOk' --answer ok"),
            0)
      << err_;
  EXPECT_NE(err_.find(u8"次のショートカットは作れませんでした。\\n\\n　say \"hi\""),
            std::string::npos)
      << err_;
  EXPECT_EQ(Arguments("Office.lnk"), (std::vector<std::string>{"Office"}));
  EXPECT_EQ(Arguments("say _hi_.lnk"), (std::vector<std::string>{"(no shortcut)"}));

  const struct {
    const char* answer;
    std::vector<std::string> arguments;
  } cases[] = {{"no", {"Office"}}, {"yes", {"Office", "/c"}}};
  for (const auto& c : cases) {
    ASSERT_EQ(RunZubaNet(machine_.directory(), office + "--do 'click CbNoQuestion' "
                                                        "--do 'click BtOk' --answer " +
                                                   c.answer + " --answer ok"),
              0)
        << err_;
    EXPECT_NE(err_.find(u8"Office.lnk は既にあります"), std::string::npos) << err_;
    EXPECT_EQ(Arguments("Office.lnk"), c.arguments) << c.answer;
  }
  // Nothing chosen: the user is told, nothing is made.
  ASSERT_EQ(RunZubaNet(machine_.directory(), std::string(kMake) + "--do 'click BtOk' --answer ok"),
            0);
  EXPECT_NE(err_.find(u8"ショートカットを作る設定を選んでください"), std::string::npos) << err_;
}

}  // namespace
}  // namespace zuba::app
