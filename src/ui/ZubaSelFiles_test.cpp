#include "ui/ZubaSelFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/sim/DosBatch.h"
#include "platform/sim/RealModeHost.h"
#include "system/Errors.h"
#include "system/MyRegs.h"
#include "testing/TempMachine.h"

namespace zuba::ui {
namespace {

using Names = std::vector<std::string>;
constexpr char kRunOnce[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

class ZubaSelFilesTest : public ::testing::Test {
 protected:
  std::string Read(const std::string& path) {
    std::string content;
    EXPECT_TRUE(machine_.files().ReadBytes(path, &content)) << path;
    return content;
  }
  // Boots into the menu of C:\ZUBANET\zubaset.bat, presses `key` and
  // answers the RunOnce value the chosen script leaves ("-" for none).
  std::string BootChoosing(char key) {
    system::DeleteRegValue(machine_.registry(), platform::kHkeyLocalMachine, kRunOnce, "ZubaNet");
    platform::sim::RealModeHost host(machine_.files(), machine_.registry(), machine_.system());
    platform::sim::DosBatchOptions options;
    options.choiceKey = key;
    platform::sim::RunDosBatch(host, "C:\\ZUBANET\\ZUBASET.BAT", options);
    std::string value;
    system::ReadRegString(machine_.registry(), platform::kHkeyLocalMachine, kRunOnce, "ZubaNet",
                          value);
    return value.empty() ? "-" : value;
  }

  testing::TempMachine machine_;
};

TEST_F(ZubaSelFilesTest, WritesTheMenuAndTheScriptsByteForByte) {
  std::filesystem::create_directories(machine_.HostPath("drive_d/APPS/NET"));
  MakeSwitchBatch(machine_.files(), "D:\\APPS\\NET\\", {"Office", "My Home"});
  EXPECT_EQ(Read("D:\\APPS\\NET\\zubaset.bat"),
            "@echo off\r\ncls\r\necho ZubaNet 設定選択\r\necho ----------------\r\n"
            "echo A:Office\r\necho B:My Home\r\necho.\r\necho X:キャンセル\r\n"
            "echo ----------------\r\n"
            "choice /c:XAB /t:X,10 選択してください（デフォルト:X）\r\n"
            "if errorlevel 3 goto ZUBA_B\r\nif errorlevel 2 goto ZUBA_A\r\n"
            "echo キャンセルされました\r\ngoto QUIT\r\n"
            ":ZUBA_B\r\nregedit \"D:\\APPS\\NET\\B.reg\"\r\ngoto QUIT\r\n"
            ":ZUBA_A\r\nregedit \"D:\\APPS\\NET\\A.reg\"\r\ngoto QUIT\r\n:QUIT\r\n");
  MakeRegFiles(machine_.files(), "D:\\APPS\\NET\\", {"Office", "My Home"}, true);
  EXPECT_EQ(Read("D:\\APPS\\NET\\A.reg"),
            "REGEDIT4\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce]\r\n"
            "\"ZubaNet\"=\"D:\\\\APPS\\\\NET\\\\zubanet.exe Office /c\"\r\n");
  MakeRegFiles(machine_.files(), "D:\\APPS\\NET\\", {"Office", "My Home"}, false);
  EXPECT_EQ(Read("D:\\APPS\\NET\\B.reg").substr(84),
            "\"ZubaNet\"=\"D:\\\\APPS\\\\NET\\\\zubanet.exe My Home\"\r\n");

  // With no settings only the frame and the cancel path remain.
  MakeSwitchBatch(machine_.files(), "C:\\ZUBANET\\", {});
  EXPECT_EQ(Read("C:\\ZUBANET\\zubaset.bat"),
            "@echo off\r\ncls\r\necho ZubaNet 設定選択\r\necho ----------------\r\necho.\r\n"
            "echo X:キャンセル\r\necho ----------------\r\n"
            "choice /c:X /t:X,10 選択してください（デフォルト:X）\r\n"
            "echo キャンセルされました\r\ngoto QUIT\r\n:QUIT\r\n");
}

TEST_F(ZubaSelFilesTest, EveryLetterOfTheMenuLeavesItsOwnNameInRunOnce) {
  Names names;
  for (int i = 0; i < 25; ++i) names.push_back("S" + std::to_string(i));
  names[1] = "My  Office";  // skipped: two blanks would come back as one
  names[2] = "My Office";
  names[3] = "LAN\\WAN\\";
  names[4] = "ソフト";  // 83 5C: the second byte is no backslash
  Names skipped;
  const Names menu = BootMenuNames(names, &skipped);
  ASSERT_EQ(menu.size(), 20u);
  EXPECT_EQ(skipped, Names{"My  Office"});
  EXPECT_EQ(menu.back(), "S20");

  MakeSwitchBatch(machine_.files(), "C:\\ZUBANET\\", names);
  MakeRegFiles(machine_.files(), "C:\\ZUBANET\\", menu, true);
  const std::string batch = Read("C:\\ZUBANET\\zubaset.bat");
  EXPECT_NE(batch.find("\r\necho T:S19\r\necho.\r\n"), std::string::npos);
  EXPECT_NE(batch.find("choice /c:XABCDEFGHIJKLMNOPQRST /t:"), std::string::npos);
  EXPECT_NE(batch.find(":QUIT\r\n"), std::string::npos);
  EXPECT_EQ(machine_.files().GetAttributes("C:\\ZUBANET\\U.reg"), platform::kInvalidAttributes);
  EXPECT_EQ(Read("C:\\ZUBANET\\D.reg").substr(84),
            "\"ZubaNet\"=\"C:\\\\ZUBANET\\\\zubanet.exe \x83\x5C\x83\x74\x83\x67 /c\"\r\n");

  MakeSwitchBatch(machine_.files(), "C:\\ZUBANET\\", menu);
  EXPECT_EQ(BootChoosing('A'), "C:\\ZUBANET\\zubanet.exe S0 /c");
  EXPECT_EQ(BootChoosing('B'), "C:\\ZUBANET\\zubanet.exe My Office /c");
  EXPECT_EQ(BootChoosing('C'), "C:\\ZUBANET\\zubanet.exe LAN\\WAN\\ /c");
  EXPECT_EQ(BootChoosing('D'), "C:\\ZUBANET\\zubanet.exe ソフト /c");
  EXPECT_EQ(BootChoosing('T'), "C:\\ZUBANET\\zubanet.exe S20 /c");
  EXPECT_EQ(BootChoosing('X'), "-");
  EXPECT_EQ(BootChoosing(0), "-");
}

TEST_F(ZubaSelFilesTest, NamesTheMenuCannotCarryAreSkipped) {
  Names skipped;
  EXPECT_EQ(BootMenuNames({"", "a<b", "a>b", "a|b", "50%", "say \"hi\"", " lead", "trail ",
                           "tab\there", "two  blanks", "Home /e", "/c", "broken\x83", "\x83\x7C ok",
                           "a/b", "x - y", "LAN\\WAN"},
                          &skipped),
            (Names{"a/b", "x - y", "LAN\\WAN"}));
  // "\x83\x7C" (ポ) ends in the byte '|', a pipe to a COMMAND.COM that
  // reads it byte by byte.
  EXPECT_EQ(skipped.size(), 14u);
  EXPECT_EQ(skipped[13], "\x83\x7C ok");
}

TEST_F(ZubaSelFilesTest, TheCallLineIsAddedOnceAfterTheBackup) {
  const std::string original = Read("C:\\AUTOEXEC.BAT");
  EXPECT_TRUE(AddAutoexecCall(machine_.files(), "C:\\", "C:\\ZUBANET\\"));
  EXPECT_EQ(Read("C:\\autoexec.zb"), original);
  EXPECT_EQ(Read("C:\\AUTOEXEC.BAT"), original + "call \"C:\\ZUBANET\\zubaset.bat\"\r\n");

  // A second run, and a line spelled in another case, change nothing.
  ASSERT_TRUE(machine_.files().WriteBytes("C:\\autoexec.zb", "older backup\r\n"));
  EXPECT_FALSE(AddAutoexecCall(machine_.files(), "C:\\", "C:\\ZUBANET\\"));
  EXPECT_FALSE(AddAutoexecCall(machine_.files(), "C:\\", "c:\\zubanet\\"));
  EXPECT_EQ(Read("C:\\autoexec.zb"), "older backup\r\n");
  EXPECT_EQ(Read("C:\\AUTOEXEC.BAT"), original + "call \"C:\\ZUBANET\\zubaset.bat\"\r\n");

  // The end-of-file mark of an old editor stays behind the call line.
  ASSERT_TRUE(machine_.files().WriteBytes("C:\\AUTOEXEC.BAT", "@echo off\r\n\x1A"));
  EXPECT_TRUE(AddAutoexecCall(machine_.files(), "C:\\", "D:\\"));
  EXPECT_EQ(Read("C:\\AUTOEXEC.BAT"), "@echo off\r\ncall \"D:\\zubaset.bat\"\r\n\x1A\r\n");
}

TEST_F(ZubaSelFilesTest, RemovingTheCallLineLeavesTheRestOfAutoexecAsItStands) {
  ASSERT_TRUE(machine_.files().WriteBytes(
      "C:\\AUTOEXEC.BAT", "@echo off\r\nCALL \"c:\\zubanet\\ZUBASET.BAT\"\r\npath c:\\dos\r\n"));
  EXPECT_TRUE(AddAutoexecCall(machine_.files(), "C:\\", "D:\\"));
  EXPECT_TRUE(RemoveAutoexecCall(machine_.files(), "C:\\", "C:\\ZUBANET\\"));
  EXPECT_EQ(Read("C:\\AUTOEXEC.BAT"), "@echo off\r\npath c:\\dos\r\ncall \"D:\\zubaset.bat\"\r\n");
  EXPECT_FALSE(RemoveAutoexecCall(machine_.files(), "C:\\", "C:\\ZUBANET\\"));
  EXPECT_FALSE(RemoveAutoexecCall(machine_.files(), "C:\\NOWHERE\\", "C:\\ZUBANET\\"));
  EXPECT_EQ(BootFileNames().size(), 21u);
  EXPECT_EQ(BootFileNames().back(), "T.reg");
}

TEST_F(ZubaSelFilesTest, AFileThatCannotBeReadOrWrittenStopsThatStep) {
  EXPECT_THROW(
      {
        try {
          AddAutoexecCall(machine_.files(), "C:\\NOWHERE\\", "C:\\ZUBANET\\");
        } catch (const system::Exception& e) {
          EXPECT_STREQ(e.what(), "C:\\NOWHERE\\autoexec.bat を読み込めません");
          throw;
        }
      },
      system::Exception);
  const std::string original = Read("C:\\AUTOEXEC.BAT");
  ASSERT_TRUE(machine_.machine().config->Set("Fail", "WriteFile:C:\\autoexec.zb", "5"));
  EXPECT_THROW(AddAutoexecCall(machine_.files(), "C:\\", "C:\\ZUBANET\\"), system::Exception);
  EXPECT_EQ(Read("C:\\AUTOEXEC.BAT"), original);  // never changed without its backup
  EXPECT_THROW(MakeRegFiles(machine_.files(), "C:\\GONE\\", {"A"}, true), system::Exception);
}

TEST_F(ZubaSelFilesTest, TheBootFilesNameTheDirectoryByItsShortNames) {
  std::filesystem::create_directories(machine_.HostPath("drive_c/Program Files/ZubaNet"));
  EXPECT_EQ(BootDirectory(machine_.files(), "C:\\Program Files\\ZubaNet\\"),
            "C:\\PROGRA~1\\ZubaNet\\");
  EXPECT_EQ(BootDirectory(machine_.files(), "C:\\ZUBANET\\"), "C:\\ZUBANET\\");
  EXPECT_EQ(BootDirectory(machine_.files(), "C:\\Missing Dir\\"), "C:\\Missing Dir\\");
  EXPECT_EQ(BootDirectory(machine_.files(), "C:\\"), "C:\\");
}

}  // namespace
}  // namespace zuba::ui
