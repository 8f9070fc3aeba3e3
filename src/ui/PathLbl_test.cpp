#include "ui/PathLbl.h"

#include <gtest/gtest.h>

#include <string>

#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::ui {
namespace {

class PathLblTest : public ::testing::Test {
 protected:
  std::string Shorten(const std::string& text, int limit, TStretchStyle style) {
    return label.ShortenPath(text, limit, style);
  }
  std::string Shown(const std::string& path) {
    label.SetPath(path);
    return label.Caption();
  }

  testing::TempMachine machine;
  toolkit::ScriptedUiServices ui;
  toolkit::Application app{ui};
  toolkit::Form& form = app.CreateForm<toolkit::Form>();
  TPathLabel& label = form.Add<TPathLabel>("label", machine.files(), machine.system());
};

TEST_F(PathLblTest, RootKinds) {
  EXPECT_EQ(label.RootKind("D:\\"), 1);
  EXPECT_EQ(label.RootKind("D:"), 0);
  EXPECT_EQ(label.RootKind("D:\\DIR\\"), 0);
  EXPECT_EQ(label.RootKind("\\\\SERVER\\"), 2);
  EXPECT_EQ(label.RootKind("\\\\SERVER\\SHARE\\"), 2);
  EXPECT_EQ(label.RootKind("\\\\SERVER\\SHARE\\DIR\\"), 0);
  EXPECT_EQ(label.RootKind("\\\\SERVER\\SHARE"), 0);
  // ソ (83 5C) holds no backslash.
  EXPECT_EQ(label.RootKind("\\\\ソ\\"), 2);
  EXPECT_EQ(label.RootKind("\\\\SERVERソ"), 0);
}

TEST_F(PathLblTest, SeparatorsKeepRootsAndSkipTrailBytes) {
  EXPECT_EQ(label.AdjustSeparator("D:\\", SeparatorChange::kRemove), "D:\\");
  EXPECT_EQ(label.AdjustSeparator("D:\\DIR\\", SeparatorChange::kRemove), "D:\\DIR");
  EXPECT_EQ(label.AdjustSeparator("\\\\SERVER\\SHARE\\", SeparatorChange::kRemove),
            "\\\\SERVER\\SHARE\\");
  EXPECT_EQ(label.AdjustSeparator("D:\\ソ", SeparatorChange::kAdd), "D:\\ソ\\");
  EXPECT_EQ(label.AdjustSeparator("D:\\ソ", SeparatorChange::kRemove), "D:\\ソ");
  label.SetPathSeparator(TPathSeparator::psSubSeparator);
  EXPECT_EQ(Shown("D:\\"), "D:\\");
  EXPECT_EQ(Shown("D:\\DIR\\"), "D:\\DIR");
  label.SetPathSeparator(TPathSeparator::psAddSeparator);
  EXPECT_EQ(Shown("D:\\DIR"), "D:\\DIR\\");
  EXPECT_EQ(Shown(""), "");
}

TEST_F(PathLblTest, WithoutALimitTheCaptionIsTheWholeAdjustedPath) {
  std::string longPath = "D:\\" + std::string(300, 'A') + "\\FILE.TXT";
  EXPECT_EQ(Shown(longPath), longPath);
  label.SetStyle(TStretchStyle::ssFile);
  EXPECT_EQ(Shown(longPath + "\\"), longPath + "\\");
}

TEST_F(PathLblTest, RightAndLeftCuts) {
  EXPECT_EQ(Shorten("D:\\WINDOWS\\SYSTEM", 10, TStretchStyle::ssRight), "D:\\WIND...");
  EXPECT_EQ(Shorten("D:\\WINDOWS\\SYSTEM", 10, TStretchStyle::ssLeft), "...\\SYSTEM");
  // In "D:\ABアイウエ" byte 8 starts イ: a cut after 8 bytes keeps 7.
  EXPECT_EQ(Shorten("D:\\ABアイウエ", 10, TStretchStyle::ssRight), "D:\\ABア...");
  EXPECT_EQ(Shorten("D:\\ABアイウエ", 11, TStretchStyle::ssRight), "D:\\ABア...");
  EXPECT_EQ(Shorten("D:\\ABアイウエ", 12, TStretchStyle::ssRight), "D:\\ABアイ...");
  // The last 10 bytes of "D:\Aアイウエ" start inside ア.
  EXPECT_EQ(Shorten("D:\\Aアイウエ", 10, TStretchStyle::ssLeft), "...イウエ");
  EXPECT_EQ(Shorten("D:\\Aアイウエ", 11, TStretchStyle::ssLeft), "...アイウエ");
  EXPECT_EQ(Shorten("D:\\WINDOWS", 10, TStretchStyle::ssRight), "D:\\WINDOWS");
}

TEST_F(PathLblTest, FileAndDriveStylesKeepRootAndLastComponent) {
  const std::string path = "D:\\AAA\\BBB\\CCC\\file.txt";
  EXPECT_EQ(Shorten(path, 16, TStretchStyle::ssFile), "D:\\...\\file.txt");
  EXPECT_EQ(Shorten(path, 19, TStretchStyle::ssFile), "D:\\AAA\\...\\file.txt");
  EXPECT_EQ(Shorten(path, 19, TStretchStyle::ssDrive), "D:\\...\\CCC\\file.txt");
  EXPECT_EQ(Shorten(path, 14, TStretchStyle::ssFile), "D:\\AAA\\BBB\\...");
  EXPECT_EQ(Shorten(path + "\\", 20, TStretchStyle::ssFile), "D:\\AAA\\...\\file.txt\\");
  EXPECT_EQ(Shorten("\\\\SERVER\\SHARE\\DIR\\file.txt", 22, TStretchStyle::ssFile),
            "\\\\SERVER\\...\\file.txt");
  EXPECT_EQ(Shorten("D:\\LONGNAME.TXT", 10, TStretchStyle::ssFile), "D:\\LONG...");
  EXPECT_EQ(Shorten("LONGNAMEFILE.TXT", 10, TStretchStyle::ssFile), "LONGNAM...");
  EXPECT_EQ(Shorten("LONGNAMEFILE.TXT", 10, TStretchStyle::ssDrive), "...ILE.TXT");
}

TEST_F(PathLblTest, ATrailByte5CInsideADirectoryNameIsNoSeparator) {
  // ソフト starts with 83 5C: split there, "D:\ソ" would look like a component.
  const std::string path = "D:\\ソフト\\AAA\\BBB\\file.txt";
  EXPECT_EQ(Shorten(path, 22, TStretchStyle::ssFile), "D:\\ソフト\\...\\file.txt");
  EXPECT_EQ(Shorten(path, 21, TStretchStyle::ssFile), "D:\\...\\file.txt");
  EXPECT_EQ(Shorten("D:\\AAA\\ソ", 8, TStretchStyle::ssFile), "D:\\AA...");
}

TEST_F(PathLblTest, SmallLimitsAndLoneLeadBytesAreCutWithoutOverreading) {
  EXPECT_EQ(Shorten("D:\\WINDOWS", 0, TStretchStyle::ssRight), "");
  EXPECT_EQ(Shorten("D:\\WINDOWS", -1, TStretchStyle::ssRight), "");
  EXPECT_EQ(Shorten("D:\\WINDOWS", 2, TStretchStyle::ssFile), "D:");
  EXPECT_EQ(Shorten("D:\\WINDOWS", 3, TStretchStyle::ssLeft), "D:\\");
  EXPECT_EQ(Shorten("D", 3, TStretchStyle::ssRight), "D");
  std::string lone = "D:\\WINDOWS\\\x83";  // a lead byte with nothing after it
  EXPECT_EQ(Shorten(lone, 8, TStretchStyle::ssRight), "D:\\WI...");
  EXPECT_EQ(Shorten(lone, 8, TStretchStyle::ssLeft), "...OWS\\\x83");
  EXPECT_EQ(Shorten(lone, 11, TStretchStyle::ssDrive), "D:\\...\\\x83");
  EXPECT_EQ(label.AdjustSeparator(lone, SeparatorChange::kAdd), lone + "\\");
  label.SetMaxLength(3);
  EXPECT_EQ(Shown(lone), "D:\\");
}

TEST_F(PathLblTest, LongAndShortNamesComeFromTheDirectorySearch) {
  ASSERT_TRUE(machine.files().MakeDirectory("C:\\Zuba Files"));
  ASSERT_TRUE(machine.files().MakeDirectory("C:\\Zuba Files\\Net Tools"));
  ASSERT_TRUE(machine.files().WriteBytes("C:\\Zuba Files\\Net Tools\\readme.txt", "x"));
  EXPECT_EQ(label.ConvertPathNames("c:\\zubafi~1\\NETTOO~1\\README.TXT", TPathType::ptLongName),
            "C:\\Zuba Files\\Net Tools\\readme.txt");
  EXPECT_EQ(label.ConvertPathNames("C:\\Zuba Files\\Net Tools\\", TPathType::ptShortName),
            "C:\\ZUBAFI~1\\NETTOO~1");
  EXPECT_EQ(label.ConvertPathNames("c:\\", TPathType::ptLongName), "C:\\");
  EXPECT_EQ(label.ConvertPathNames("\\\\SERVER\\SHARE\\", TPathType::ptLongName),
            "\\\\SERVER\\SHARE\\");
  label.SetPathType(TPathType::ptLongName);
  EXPECT_EQ(Shown("c:\\zuba files\\"), "C:\\Zuba Files\\");
  EXPECT_EQ(Shown("C:\\Zuba Files\\Missing\\file.txt"), "");
  EXPECT_EQ(Shown("C:\\Zuba Files\\Missing\\"), "\\");
  // The same path assigned again looks the names up anew.
  ASSERT_TRUE(machine.files().MakeDirectory("C:\\Zuba Files\\Missing"));
  EXPECT_EQ(Shown("C:\\Zuba Files\\Missing\\"), "C:\\Zuba Files\\Missing\\");
}

TEST_F(PathLblTest, TheHintIsTheConvertedPathWithoutShortening) {
  label.SetAutoUpdateHint(true);
  label.SetMaxLength(12);
  label.SetStyle(TStretchStyle::ssFile);
  label.SetTextCase(TTextCase::tcLowerCase);
  EXPECT_EQ(Shown("D:\\WINDOWS\\SYSTEM\\ソフト\\A.DLL"), "d:\\...\\a.dll");
  EXPECT_EQ(label.Hint(), "d:\\windows\\system\\ソフト\\a.dll");
  label.SetAutoUpdateHint(false);
  label.SetPath("D:\\X");
  EXPECT_EQ(label.Hint(), "d:\\windows\\system\\ソフト\\a.dll");
  label.SetTextCase(TTextCase::tcUpperCase);
  EXPECT_EQ(Shown("d:\\aソz"), "D:\\AソZ");
}

}  // namespace
}  // namespace zuba::ui
