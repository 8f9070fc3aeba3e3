#include "platform/sim/DosBatch.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/Cp932.h"

namespace zuba::platform::sim {
namespace {

using Lines = std::vector<std::string>;

// Files kept in memory (paths compared without regard to case); every
// import is recorded and shown as one line.
class FakeHost : public DosHost {
 public:
  bool ReadFile(const std::string& path, std::string* content) override {
    ++reads[FoldCp932(path)];
    auto found = files.find(FoldCp932(path));
    if (found == files.end()) return false;
    *content = found->second;
    return true;
  }
  bool FileExists(const std::string& path) override {
    std::string content;
    return ReadFile(path, &content);
  }
  void ImportRegistry(const std::string& path, std::vector<std::string>* screen) override {
    imports.push_back(path);
    screen->push_back("imported " + path);
  }
  void Add(const std::string& path, const std::string& content) {
    files[FoldCp932(path)] = content;
  }

  std::map<std::string, std::string> files;
  std::map<std::string, int> reads;
  Lines imports;
};

class DosBatchTest : public ::testing::Test {
 protected:
  DosBatchResult Run(const std::string& autoexec, char key = 0) {
    host_.Add("C:\\AUTOEXEC.BAT", autoexec);
    options_.choiceKey = key;
    return RunDosBatch(host_, "C:\\AUTOEXEC.BAT", options_);
  }
  Lines Screen(const std::string& autoexec, char key = 0) { return Run(autoexec, key).screen; }

  FakeHost host_;
  DosBatchOptions options_;
};

// The boot menu in the shape the switch maker writes it, for two settings.
constexpr char kMenu[] =
    "@echo off\r\ncls\r\necho Menu\r\necho A:Office\r\necho B:Home\r\necho.\r\n"
    "echo X:Cancel\r\nchoice /c:XAB /t:X,10 Choose\r\n"
    "if errorlevel 3 goto ZUBA_B\r\nif errorlevel 2 goto ZUBA_A\r\n"
    "echo Cancelled\r\ngoto QUIT\r\n"
    ":ZUBA_B\r\nregedit \"C:\\ZUBANET\\B.reg\"\r\ngoto QUIT\r\n"
    ":ZUBA_A\r\nregedit \"C:\\ZUBANET\\A.reg\"\r\ngoto QUIT\r\n"
    ":QUIT\r\n";

TEST_F(DosBatchTest, TheBootMenuImportsTheChosenLettersScriptOrNothing) {
  host_.Add("C:\\ZUBANET\\ZUBASET.BAT", kMenu);
  DosBatchResult chosen =
      Run("@ECHO OFF\r\ncall \"C:\\ZUBANET\\zubaset.bat\"\r\necho back\r\n", 'b');
  EXPECT_EQ(chosen.screen, (Lines{"Menu", "A:Office", "B:Home", "", "X:Cancel", "Choose[X,A,B]?B",
                                  "imported C:\\ZUBANET\\B.reg", "back"}));
  EXPECT_EQ(host_.imports, Lines{"C:\\ZUBANET\\B.reg"});
  EXPECT_EQ(chosen.errorLevel, 0);  // the registry editor's
  EXPECT_TRUE(chosen.completed);

  // No key, or one that is not offered: the default after the time-out.
  for (char key : {'\0', 'Q'}) {
    host_.imports.clear();
    DosBatchResult timedOut = Run(kMenu, key);
    EXPECT_EQ(timedOut.screen, (Lines{"Menu", "A:Office", "B:Home", "", "X:Cancel",
                                      "Choose[X,A,B]?X", "Cancelled"}));
    EXPECT_EQ(timedOut.errorLevel, 1);
    EXPECT_TRUE(host_.imports.empty());
  }
}

TEST_F(DosBatchTest, EchoShowsTextTheStateAndTheCommandsWhileOn) {
  EXPECT_EQ(Screen("echo  two  blanks\r\n@echo\r\n@echo.\r\n@echo.dot\r\n@ECHO OFF\r\necho\r\n"
                   "echo off text\r\n  @  echo on\r\nrem hidden?\r\n"),
            (Lines{"C:\\>echo  two  blanks", " two  blanks", "ECHO is on", "", "dot", "ECHO is off",
                   "off text", "C:\\>rem hidden?"}));
}

TEST_F(DosBatchTest, GotoFindsTheFirstLabelByItsFirstEightCharactersInAnyCase) {
  EXPECT_EQ(Screen("@echo off\r\ngoto labelname2\r\n:LABELNAM\r\necho first\r\ngoto end\r\n"
                   ":labelname2\r\necho second\r\n  :End here\r\necho last\r\n"),
            (Lines{"first", "last"}));
  // A missing label ends that batch file; its caller goes on.
  host_.Add("C:\\SUB.BAT", "@goto nowhere\r\necho not shown\r\n");
  EXPECT_EQ(Screen("@echo off\r\ncall sub\r\necho caller\r\ngoto\r\necho not shown\r\n"),
            (Lines{"Label not found", "caller", "Label not found"}));
}

TEST_F(DosBatchTest, CallReturnsARunByNameDoesNotAndBothTakeParameters) {
  options_.environment = {{"path", "C:\\WINDOWS;D:\\TOOLS"}};
  host_.Add("D:\\TOOLS\\SHOW.BAT", "@echo %0 [%1] [%2] %3.\r\n");
  host_.Add("C:\\WINDOWS\\LAST.BAT", "@echo last %1\r\n");
  EXPECT_EQ(Screen("@echo off\r\ncall show one,two\r\nCALL D:\\TOOLS\\SHOW.BAT \"a b\"\r\n"
                   "last 1\r\necho never\r\n"),
            (Lines{"show [one] [two] .", "D:\\TOOLS\\SHOW.BAT [\"a b\"] [] .", "last 1"}));
  EXPECT_EQ(
      Screen("@echo off\r\ncall missing\r\nnotes.txt\r\nzzz /x\r\necho on\r\n"),
      (Lines{"Bad command or file name", "Bad command or file name", "Bad command or file name"}));
}

TEST_F(DosBatchTest, PercentSignsAndTheEnvironment) {
  options_.environment = {{"Windir", "C:\\WINDOWS"}};
  EXPECT_EQ(Screen("@echo off\r\necho 100%% %windir% %undefined%! a%b\r\nset Name=Zuba Net\r\n"
                   "echo [%NAME%]\r\nset name=\r\nset\r\nset nothing\r\n"),
            (Lines{"100% C:\\WINDOWS ! ab", "[Zuba Net]", "WINDIR=C:\\WINDOWS", "Syntax error"}));
}

TEST_F(DosBatchTest, TheEnvironmentAndWhatItExpandsToAreBounded) {
  // A variable doubled in a loop runs out of environment space; a line
  // full of references grows by at most the environment's size.
  options_.maxSteps = 200;
  DosBatchResult doubled =
      Run("@echo off\r\nset A=xxxxxxxx\r\n:again\r\nset A=%A%%A%\r\n"
          "if errorlevel 0 goto again\r\n");
  // 99 rounds of two lines: 11 doublings fit (8 << 11 bytes), 88 do not.
  ASSERT_EQ(doubled.screen.size(), 89u);
  EXPECT_EQ(doubled.screen.front(), "Out of environment space");
  EXPECT_EQ(doubled.screen[87], "Out of environment space");
  const std::string big(20000, 'v');
  host_.Add("C:\\BIG.BAT", "@echo %1%1%1%1\r\n");
  DosBatchResult many = Run("@call big " + big + "\r\n");
  ASSERT_EQ(many.screen.size(), 1u);
  EXPECT_EQ(many.screen[0].size(), std::string("echo %1%1%1%1").size() - 5 + 32768);
}

TEST_F(DosBatchTest, IfTestsErrorlevelsFilesAndTexts) {
  host_.Add("C:\\THERE.TXT", "");
  EXPECT_EQ(
      Screen("@echo off\r\nchoice /c:abc /t:b,0\r\nif errorlevel 3 echo 3\r\n"
             "if errorlevel 2 echo 2\r\nif not errorlevel 3 echo not 3\r\n"
             "if errorlevel 999 echo 999\r\nif exist there.txt echo there\r\n"
             "if not exist \\gone.txt echo gone\r\nif a==a echo same\r\nif a==b echo differ\r\n"
             "if errorlevel x echo x\r\nif errorlevel 1\r\nif a b\r\n"),
      (Lines{"[A,B,C]?B", "2", "not 3", "there", "gone", "same", "Syntax error", "Syntax error",
             "Syntax error"}));
}

TEST_F(DosBatchTest, ChoiceSwitchesAndItsErrors) {
  EXPECT_EQ(Screen("@echo off\r\nchoice /n /t:N,5 Go on\r\nchoice /s /c:aA /t:A,5 \"Case /s\"\r\n"
                   "choice /c:yn\r\n",
                   'y'),
            (Lines{"Go onY", "Case /s[a,A]?A", "[Y,N]?Y"}));
  DosBatchResult bad = Run("@echo off\r\nchoice /x\r\necho %errorlevel%\r\n");
  EXPECT_EQ(bad.screen, (Lines{"CHOICE: invalid switch - /x", "ECHO is off"}));
  EXPECT_EQ(bad.errorLevel, 255);
  EXPECT_EQ(Screen("@choice /c:ab /t:a\r\n@choice /t:c,5 /c:ab\r\n@choice /c:ab /t:a,100\r\n"),
            (Lines{"CHOICE: invalid time-out syntax.  Expected form Tc,nn or T:c,nn",
                   "CHOICE: timeout default not in specified (or default) choices.",
                   "CHOICE: invalid time-out syntax.  Expected form Tc,nn or T:c,nn"}));
  // Without a key and without a default the machine would wait for ever.
  DosBatchResult waits = Run("@choice /c:ab Pick\r\n@echo never\r\n");
  EXPECT_EQ(
      waits.screen,
      (Lines{"Pick[A,B]?",
             "(zubanet-machine: CHOICE waits for a key and none was given; the batch stops)"}));
  EXPECT_FALSE(waits.completed);
}

TEST_F(DosBatchTest, RegeditTakesOneFileRelativeToTheCurrentDirectory) {
  EXPECT_EQ(Screen("@regedit a.reg\r\n@C:\\WINDOWS\\REGEDIT.EXE \\x\\b.reg\r\n@regedit\r\n"
                   "@regedit /c all.reg\r\n"),
            (Lines{"imported C:\\a.reg", "imported C:\\x\\b.reg",
                   "(zubanet-machine: REGEDIT without a file; nothing imported)",
                   "(zubanet-machine: only REGEDIT FILE is simulated; nothing imported)"}));
}

TEST_F(DosBatchTest, BadInputIsReportedAndNeverRunsAway) {
  // A GOTO loop stops at the bound, and a file it CALLs is read once; a
  // batch file calling itself stops too.
  options_.maxSteps = 50;
  host_.Add("C:\\SUB.BAT", "@rem\r\n");
  DosBatchResult loop = Run("@echo off\r\n:top\r\ncall sub\r\ngoto top\r\n");
  EXPECT_EQ(loop.screen, Lines{"(zubanet-machine: batch stopped after 50 lines; a GOTO loop?)"});
  EXPECT_FALSE(loop.completed);
  EXPECT_EQ(host_.reads["C:\\SUB.BAT"], 1);
  options_.maxSteps = 10000;
  host_.Add("C:\\SELF.BAT", "@call self\r\n");
  DosBatchResult deep = Run("@call self\r\n");
  EXPECT_EQ(deep.screen,
            Lines{"(zubanet-machine: CALL nested more than 16 deep; the batch stops)"});

  // So does a loop showing long lines.
  options_.maxScreenBytes = 100000;
  DosBatchResult shown =
      Run("@echo off\r\n:top\r\necho " + std::string(30000, 'x') + "\r\ngoto top\r\n");
  EXPECT_EQ(shown.screen.size(), 5u);
  EXPECT_EQ(shown.screen.back(), "(zubanet-machine: batch stopped after 120004 bytes shown)");
  options_.maxScreenBytes = 4 << 20;

  // Redirection is not simulated; a line of any length, bytes that are not
  // Shift-JIS and a lead byte at the very end pass through as they are; a
  // trail byte 0x7C is no pipe; Ctrl+Z ends the file; a lone CR ends a line.
  const std::string longLine(200000, 'x');
  EXPECT_EQ(
      Screen("@echo off\r\necho a > file\r\necho " + longLine +
             "\r\necho \x80\xFF\xA0\x83\r\n"
             "echo \x83\x7C\recho cr\r\nfrobnicate\r\necho end\x1A\r\necho after eof\r\n"),
      (Lines{"(zubanet-machine: pipes and redirection are not simulated; the line is skipped)",
             longLine, "\x80\xFF\xA0\x83", "\x83\x7C", "cr", "Bad command or file name", "end"}));
  // A missing batch file shows nothing.
  EXPECT_TRUE(RunDosBatch(host_, "C:\\NONE.BAT", options_).screen.empty());
}

}  // namespace
}  // namespace zuba::platform::sim
