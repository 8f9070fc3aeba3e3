#include "frontend/qt/FileBrowser.h"

#include <gtest/gtest.h>

#include "testing/TempMachine.h"
#include "toolkit/UiServices.h"

namespace zuba::qt {
namespace {

using Typed = FileBrowser::Typed;

TEST(FileBrowserTest, PathsKeepDoubleByteCharactersWhole) {
  EXPECT_EQ(JoinPath("C:\\", "A"), "C:\\A");
  EXPECT_EQ(JoinPath("C:\\WINDOWS", "A"), "C:\\WINDOWS\\A");
  EXPECT_EQ(ParentPath("C:\\WINDOWS\\SYSTEM"), "C:\\WINDOWS");
  EXPECT_EQ(ParentPath("C:\\WINDOWS"), "C:\\");
  EXPECT_EQ(ParentPath("C:\\"), "C:\\");
  // "ソ" ends in the byte of a backslash: no separator.
  EXPECT_EQ(ParentPath("C:\\ソフト"), "C:\\");
  EXPECT_EQ(JoinPath("C:\\ソ", "x"), "C:\\ソ\\x");
  EXPECT_EQ(FullPath("C:\\WINDOWS", "..\\ソ\\.\\a"), "C:\\ソ\\a");
  EXPECT_EQ(FullPath("C:\\WINDOWS", "\\CONFIG.SYS"), "C:\\CONFIG.SYS");
  EXPECT_EQ(FullPath("C:\\WINDOWS", "d:/x//y/"), "D:\\x\\y");
  EXPECT_EQ(FullPath("C:\\", "..\\.."), "C:\\");
}

TEST(FileBrowserTest, FiltersArePairsOfDescriptionAndPatterns) {
  auto pairs = ParseFilter("Exe File (*.exe)|*.exe|All files (*.*)|*.*");
  ASSERT_EQ(pairs.size(), 2u);
  EXPECT_EQ(pairs[1].first, "All files (*.*)");
  EXPECT_EQ(pairs[1].second, "*.*");
  EXPECT_EQ(ParseFilter("hostsファイル|hosts*")[0].first, "hostsファイル");
  EXPECT_EQ(ParseFilter("odd").size(), 1u);
  EXPECT_TRUE(ParseFilter("").empty());
}

class FileBrowserMachineTest : public ::testing::Test {
 protected:
  testing::TempMachine machine;
  FileBrowser browser{machine.files()};
};

TEST_F(FileBrowserMachineTest, ListsDrivesDirectoriesAndMatchingFiles) {
  EXPECT_EQ(browser.Drives(), std::vector<char>{'C'});
  std::vector<std::string> directories, files;
  ASSERT_TRUE(browser.List("C:\\WINDOWS", "hosts*", &directories, &files));
  EXPECT_EQ(directories, (std::vector<std::string>{"COMMAND", "SYSTEM", "TEMP"}));
  EXPECT_EQ(files, (std::vector<std::string>{"HOSTS", "hosts.home", "hosts.office", "HOSTS.SAM"}));
  files.clear();
  directories.clear();
  ASSERT_TRUE(browser.List("C:\\", "*.BAT; *.sys;*.bat", &directories, &files));
  EXPECT_EQ(files, (std::vector<std::string>{"AUTOEXEC.BAT", "CONFIG.SYS"}));
  EXPECT_FALSE(browser.List("C:\\NOWHERE", "*.*", &directories, &files));
}

TEST_F(FileBrowserMachineTest, ShortNamesOnlyListAndAnswer83Names) {
  std::vector<std::string> directories, files;
  ASSERT_TRUE(browser.List("C:\\", "*.*", &directories, &files, NameKind::kShort));
  EXPECT_EQ(directories, (std::vector<std::string>{"MYDOCU~1", "PROGRA~1", "WINDOWS", "ZUBANET"}));
  EXPECT_EQ(files, (std::vector<std::string>{"AUTOEXEC.BAT", "CONFIG.SYS"}));
  files.clear();
  ASSERT_TRUE(browser.List("C:\\WINDOWS", "hosts*", &directories, &files, NameKind::kShort));
  EXPECT_EQ(files, (std::vector<std::string>{"HOSTS", "HOSTS~1.HOM", "HOSTS~1.OFF", "HOSTS.SAM"}));

  EXPECT_EQ(browser.ShortPath("C:\\Program Files"), "C:\\PROGRA~1");
  EXPECT_EQ(browser.ShortPath("C:\\windows\\hosts.office"), "C:\\WINDOWS\\HOSTS~1.OFF");
  EXPECT_EQ(browser.ShortPath("C:\\autoexec.bat"), "C:\\AUTOEXEC.BAT");
  EXPECT_EQ(browser.ShortPath("C:\\My Documents\\new file.txt"), "C:\\MYDOCU~1\\new file.txt");
  EXPECT_EQ(browser.ShortPath("C:\\"), "C:\\");
}

TEST_F(FileBrowserMachineTest, ResolvesWhatIsTyped) {
  std::string dir = "C:\\WINDOWS";
  std::string result;
  EXPECT_EQ(browser.Resolve(&dir, "  ", "", 0, &result), Typed::kNothing);
  EXPECT_EQ(browser.Resolve(&dir, "hosts.office", "", toolkit::kOfFileMustExist, &result),
            Typed::kFile);
  EXPECT_EQ(result, "C:\\WINDOWS\\hosts.office");
  EXPECT_EQ(browser.Resolve(&dir, "\"..\\autoexec.bat\"", "", 0, &result), Typed::kFile);
  EXPECT_EQ(result, "C:\\autoexec.bat");
  EXPECT_EQ(browser.Resolve(&dir, "system", "", 0, &result), Typed::kDirectory);
  EXPECT_EQ(result, "C:\\WINDOWS\\system");
  EXPECT_EQ(browser.Resolve(&dir, "..\\ZUBANET\\*.hlp", "", 0, &result), Typed::kPattern);
  EXPECT_EQ(dir, "C:\\ZUBANET");
  EXPECT_EQ(result, "*.hlp");
  EXPECT_EQ(browser.Resolve(&dir, "zubanet", "exe", toolkit::kOfFileMustExist, &result),
            Typed::kFile);
  EXPECT_EQ(result, "C:\\ZUBANET\\zubanet.exe");
  EXPECT_EQ(browser.Resolve(&dir, "missing", "", toolkit::kOfFileMustExist, &result),
            Typed::kMissingFile);
  EXPECT_EQ(browser.Resolve(&dir, "new", "txt", 0, &result), Typed::kFile);
  EXPECT_EQ(result, "C:\\ZUBANET\\new.txt");
  EXPECT_EQ(browser.Resolve(&dir, "X\\new", "", toolkit::kOfPathMustExist, &result),
            Typed::kMissingPath);
  EXPECT_EQ(browser.Resolve(&dir, "Q:\\*.*", "", 0, &result), Typed::kMissingPath);
}

}  // namespace
}  // namespace zuba::qt
