// zubanet --headless, run through the binary (beside zubanet-machine) on
// template machines, driven with --do and checked through dump, standard
// error and the machine's files.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "testing/MachineTool.h"
#include "testing/TempMachine.h"

namespace zuba::app {
namespace {

using testing::ReadHostFile;

class ZubaNetCommandTest : public testing::ZubaNetTest {
 protected:
  std::string Settings() { return ReadHostFile(machine.HostPath("drive_c/ZUBANET/Zubanet.ini")); }
  // The lines of the output.
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = out_.find('\n', start)) != std::string::npos; start = end + 1) {
      lines.push_back(out_.substr(start, end - start));
    }
    return lines;
  }
  static bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  }

  testing::TempMachine machine;
};

TEST_F(ZubaNetCommandTest, RefusesEverySystemButWindows95And98) {
  testing::TempMachine nt(platform::sim::OsKind::kNt);
  EXPECT_EQ(RunZubaNet(nt.directory(), "--do dump"), 1);
  EXPECT_EQ(err_, u8"[ZubaNet ベータ版] (none; OK) ZubaNetはWin95/98専用です\n");
  EXPECT_EQ(out_, "");
  EXPECT_EQ(ReadHostFile(nt.HostPath("drive_c/ZUBANET/Zubanet.ini")), "");

  testing::TempMachine win95(platform::sim::OsKind::kWin95);
  EXPECT_EQ(RunZubaNet(win95.directory(), "--do dump"), 0);
  EXPECT_TRUE(Has(out_, R"({"form": "Form1", "caption": "ZubaNet", "client": [185, 57])"));
}

TEST_F(ZubaNetCommandTest, ViewModeEditModeAndTheFileWrittenAtTheClose) {
  ASSERT_EQ(RunZubaNet(machine.directory(),
                       "--do dump --do 'click BtConfig' --do 'rclick PnTcp' --do dump"),
            0)
      << err_;
  std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 2u) << out_;
  EXPECT_TRUE(Has(lines[0], R"("client": [185, 57])"));
  EXPECT_TRUE(Has(lines[0], R"({"name": "Sb1", "kind": "statusbar", "visible": false)"));
  EXPECT_TRUE(Has(lines[0], R"({"name": "BtDelete", "kind": "button", "visible": true, "enabled": false)"));
  EXPECT_TRUE(Has(lines[1], R"("client": [541, 382])"));
  EXPECT_TRUE(Has(lines[1], R"({"name": "Sb1", "kind": "statusbar", "visible": true)"));
  EXPECT_TRUE(Has(lines[1], R"({"name": "PnOpr", "kind": "panel", "visible": false)"));
  EXPECT_TRUE(Has(lines[1], u8R"({"name": "PmOpt2", "caption": "　不要時も確認する", "checked": true, "enabled": true, "visible": true})"));
  EXPECT_EQ(err_, u8"[help] topic 34: TCP/IP の設定\n");
  // Closed by its close box after the last action.
  std::string ini = Settings();
  for (const char* line : {"WindowSize.X=", "WindowSize.Y=", "Opt1=1", "Opt3=0", "Opt7=0"}) {
    EXPECT_TRUE(Has(ini, line)) << line;
  }
}

TEST_F(ZubaNetCommandTest, UsageErrorsNameWhatIsWrong) {
  EXPECT_EQ(RunZubaNet(machine.directory(), "--do 'press BtOk'"), 2);
  EXPECT_TRUE(Has(err_, "--do 'press BtOk': unknown action")) << err_;
  EXPECT_EQ(RunZubaNet(machine.directory(), "--colour"), 2);
  EXPECT_TRUE(Has(err_, "unknown option --colour")) << err_;
  EXPECT_EQ(Settings(), "");  // nothing ran

  EXPECT_EQ(RunZubaNet(machine.directory(), "--do 'click BtNope' --do dump"), 2);
  EXPECT_EQ(err_, "--do 'click BtNope': no control or menu item named BtNope on Form1\n");
  EXPECT_EQ(out_, "");

  // An action a user could not take is no usage error.
  EXPECT_EQ(RunZubaNet(machine.directory(), "--do 'click BtDelete' --do 'type EdNm x'"), 0);
  EXPECT_EQ(err_, "--do 'click BtDelete': BtDelete is disabled; nothing done\n");
}

TEST_F(ZubaNetCommandTest, ListEntryFieldsAndMessages) {
  ASSERT_EQ(RunZubaNet(machine.directory(),
                       "--do 'click BtConfig' --do 'type EdTgw 192.168.0' --do 'key EdTgw Return' "
                       "--do 'type EdTgw 10.0.0.1 ' --do 'key EdTgw Return' --do dump"),
            0);
  EXPECT_EQ(err_, u8"[入力誤りです] (error; OK) 正しいアドレスを入力して下さい\n");
  EXPECT_TRUE(Has(out_, R"({"name": "EdTgw", "kind": "edit", "visible": true, "enabled": true, "text": "")"));
  EXPECT_TRUE(Has(out_, R"("items": ["10.0.0.1"], "index": -1)")) << out_;
}

TEST_F(ZubaNetCommandTest, OptionsPersistAcrossRuns) {
  ASSERT_EQ(RunZubaNet(machine.directory(), "--do 'click BtOpt' --do 'click PmOpt5'"), 0);
  EXPECT_TRUE(Has(Settings(), "Opt5=0"));
  ASSERT_EQ(RunZubaNet(machine.directory(), "--do dump"), 0);
  EXPECT_TRUE(Has(out_, R"({"name": "PmOpt5", "caption": )"));
  EXPECT_TRUE(Has(out_, u8R"({"name": "PmOpt2", "caption": "　不要時も確認する", "checked": true, "enabled": false)"));
}

TEST_F(ZubaNetCommandTest, DialogsTakeTheActionsThatFollowUntilTheyClose) {
  ASSERT_EQ(RunZubaNet(machine.directory(),
                       "--answer 'file=C:\\WINDOWS\\hosts.office' --do 'click BtConfig' "
                       "--do 'click fcbtHosts' --do 'click BtWins' --do 'type EdWpr 1.2.3' "
                       "--do 'click BbOk' --do dump --do 'key EdWpr Escape' --do dump"),
            0)
      << err_;
  std::vector<std::string> lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(Has(lines[0], R"({"form": "FmWins")"));
  EXPECT_TRUE(Has(lines[1], R"({"form": "Form1")"));
  EXPECT_TRUE(Has(lines[1], R"({"name": "fcbtHosts", "kind": "button", "visible": true, "enabled": true, "text": "hosts.office")"));
  EXPECT_TRUE(Has(err_, u8"[Hostsファイルの選択] (file; C:\\WINDOWS\\hosts.office) hostsファイル|hosts*\n"));
  EXPECT_TRUE(Has(err_, u8"[入力誤りです] (error; OK) WINSサーバーのIP形式が誤っています")) << err_;
}

TEST_F(ZubaNetCommandTest, AMissingHelpFileIsReportedAndTheProgramGoesOn) {
  ASSERT_EQ(std::remove(machine.HostPath("drive_c/ZUBANET/ZUBANET.HLP").c_str()), 0);
  ASSERT_EQ(RunZubaNet(machine.directory(), "--do 'rclick LaSetting' --do 'click BtConfig' --do dump"),
            0);
  EXPECT_EQ(err_, u8"[ヘルプ] (error; OK) ヘルプ ファイル C:\\ZUBANET\\Zubanet.hlp を開けません。\n");
  EXPECT_TRUE(Has(out_, R"("client": [541, 382])"));
}

TEST_F(ZubaNetCommandTest, CommandLineNameThatIsNotListedEndsTheProgram) {
  ASSERT_EQ(RunZubaNet(machine.directory(), "--do dump -- /c My Office"), 0);
  EXPECT_EQ(out_, "");
  EXPECT_EQ(err_, "");
  EXPECT_TRUE(Has(Settings(), "Previous=\r\n")) << Settings();

  // Escape in view mode ends it too; what follows is not run.
  ASSERT_EQ(RunZubaNet(machine.directory(), "--do 'key CbSetting Escape' --do dump"), 0);
  EXPECT_EQ(out_, "");
}

// A headless run loads no window library; asked for windows without a
// display, the program hands the run to zubanet-windows, which says there is
// none and leaves the machine untouched.
class ZubaNetWindowsTest : public testing::ZubaNetTest {
 protected:
  testing::TempMachine machine;
};

TEST_F(ZubaNetWindowsTest, HeadlessLoadsNoWindowLibraryAndWindowsNeedADisplay) {
  // The dynamic loader's list of what the program loads (as ldd asks it).
  ASSERT_EQ(RunProgram("LD_TRACE_LOADED_OBJECTS=1 ", zubanet_, machine.directory(), ""), 0);
  EXPECT_NE(out_.find("libc.so"), std::string::npos) << out_;
  for (const char* library : {"libQt", "libX11", "libxcb", "libfontconfig", "libicu"}) {
    EXPECT_EQ(out_.find(library), std::string::npos) << library << " in\n" << out_;
  }

  const std::string before = ReadHostFile(machine.HostPath("drive_c/ZUBANET/Zubanet.ini"));
  const int code = RunProgram("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ", zubanet_,
                              machine.directory(), "");
  EXPECT_EQ(code, 1);
  if (access((zubanet_ + "-windows").c_str(), X_OK) == 0) {
    EXPECT_NE(err_.find("zubanet: no display available"), std::string::npos) << err_;
  } else {
    EXPECT_EQ(err_, "zubanet: this build has no windows (built without Qt); run with --headless\n");
  }
  EXPECT_EQ(ReadHostFile(machine.HostPath("drive_c/ZUBANET/Zubanet.ini")), before);
}

}  // namespace
}  // namespace zuba::app
