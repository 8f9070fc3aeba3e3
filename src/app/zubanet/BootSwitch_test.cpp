// The switch at boot as a user makes and uses it: settings saved in the main
// window, the boot menu made from the option menu, the machine booted with a
// letter chosen in the menu, and the machine's configuration afterwards.
#include <string>

#include "platform/TextCodec.h"
#include "testing/MachineTool.h"

namespace zuba::app {
namespace {

using platform::Cp932ToUtf8;
using testing::ReadHostFile;

class BootSwitchTest : public testing::ZubaNetTest {
 protected:
  std::string Settings() { return ReadHostFile(machine_ + "/drive_c/ZUBANET/Zubanet.ini"); }

  std::string machine_ = scratch_.path() + "/machine";
};

TEST_F(BootSwitchTest, TheSettingChosenInTheBootMenuIsAppliedWhenWindowsStarts) {
  ASSERT_EQ(RunTool(machine_, "init --zubanet '" + zubanet_ + "'"), 0) << err_;

  // Three settings; the second name has a blank.
  ASSERT_EQ(RunZubaNet(machine_,
                       "--do 'click BtConfig' --do 'choose CbTnc PCI Fast Ethernet Adapter' "
                       "--do 'type EdNm Office' --do 'click BbOk' "
                       "--do 'click BtConfig' --do 'type EdNm My Home' "
                       "--do 'type EdTip 10.0.0.2' --do 'type EdTms 255.0.0.0' --do 'click BbOk' "
                       "--do 'click BtConfig' --do 'type EdNm Mobile' "
                       "--do 'type EdTip 172.16.0.5' --do 'click BbOk'"),
            0)
      << err_;
  EXPECT_NE(Settings().find("SETTINGS.Count=3\r\nSETTINGS.0=Mobile\r\nSETTINGS.1=My Home\r\n"
                            "SETTINGS.2=Office\r\n"),
            std::string::npos);

  // The boot menu, made from the option menu with autoexec.bat chosen.
  ASSERT_EQ(RunZubaNet(machine_,
                       "--answer 'file=C:\\AUTOEXEC.BAT' "
                       "--do 'click Windows1' --do 'click btCreate'"),
            0)
      << err_;
  EXPECT_NE(err_.find("[autoexec.bat " + Cp932ToUtf8("を選択してください") +
                      "] (file; C:\\AUTOEXEC.BAT)"),
            std::string::npos)
      << err_;
  EXPECT_NE(ReadHostFile(machine_ + "/drive_c/AUTOEXEC.BAT")
                .find("\r\ncall \"C:\\ZUBANET\\zubaset.bat\"\r\n"),
            std::string::npos);

  // B in the menu: its script enters the program into RunOnce, and Windows
  // runs it with the name, which applies My Home and asks for a restart.
  ASSERT_EQ(RunTool(machine_, "boot --choose B"), 0) << err_;
  EXPECT_NE(out_.find("A:Mobile\nB:My Home\nC:Office\n"), std::string::npos) << out_;
  EXPECT_NE(out_.find("[X,A,B,C]?B\n"
                      "Information in C:\\ZUBANET\\B.reg has been successfully entered into the "
                      "registry.\nWindows starts\n"
                      "RunOnce \"ZubaNet\": C:\\ZUBANET\\zubanet.exe My Home /c\n"),
            std::string::npos)
      << out_;
  EXPECT_NE(Settings().find("Previous=My Home\r\n"), std::string::npos);

  ASSERT_EQ(RunTool(machine_, "show"), 0) << err_;
  EXPECT_NE(out_.find("IP address      10.0.0.2\n    Subnet mask     255.0.0.0\n"),
            std::string::npos)
      << out_;
  EXPECT_NE(out_.find("Pending power action\n  Action            restart-windows"),
            std::string::npos)
      << out_;
  EXPECT_EQ(out_.find("RunOnce"), std::string::npos) << out_;  // ran once

  // The restart: Windows alone, so no menu, and nothing runs again.
  ASSERT_EQ(RunTool(machine_, "boot"), 0) << err_;
  EXPECT_EQ(out_, "power action: restart-windows\nWindows starts\n");
}

// A name whose double-byte character ends in the byte '|' (ポ is 83 7C)
// would be a pipe to a COMMAND.COM without double-byte tables: the menu
// leaves it out, and says why.
TEST_F(BootSwitchTest, ANameWhoseBytesHoldAPipeIsLeftOutOfTheMenu) {
  ASSERT_EQ(RunTool(machine_, "init --zubanet '" + zubanet_ + "'"), 0) << err_;
  ASSERT_EQ(RunZubaNet(machine_,
                       u8"--do 'click BtConfig' --do 'choose CbTnc PCI Fast Ethernet Adapter' "
                       u8"--do 'type EdNm ポート' --do 'click BbOk' "
                       "--do 'click BtConfig' --do 'type EdNm Office' --do 'click BbOk'"),
            0)
      << err_;
  ASSERT_EQ(RunZubaNet(machine_,
                       "--answer 'file=C:\\AUTOEXEC.BAT' --do 'click Windows1' --do 'click btCreate'"),
            0)
      << err_;
  EXPECT_NE(err_.find(u8"メニューから除きました。\\n(| < > % \" と、「ポ」のように 2 バイト目が | の文字、"
                      u8"/ で始まる語、続けて 2 つの空白)\\n【ポート】"),
            std::string::npos)
      << err_;
  ASSERT_EQ(RunTool(machine_, "boot --choose A"), 0) << err_;
  EXPECT_NE(out_.find("A:Office\n\nX:"), std::string::npos) << out_;
  EXPECT_EQ(out_.find(u8"ポート"), std::string::npos) << out_;
}

}  // namespace
}  // namespace zuba::app
