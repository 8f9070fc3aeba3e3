// The file functions as Windows 9x answers them, run against every
// implementation of the seam (testing/ConformanceTarget.h). Every case works
// in the target's own directory.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/Files.h"
#include "testing/ConformanceTarget.h"

namespace zuba::platform {
namespace {

using namespace std::string_literals;

class FilesConformance : public ::testing::Test {
 protected:
  Files& f() { return target_->files(); }
  std::string Path(const std::string& below) { return target_->directory() + "\\" + below; }
  void Write(const std::string& below, const std::string& content) {
    ASSERT_TRUE(f().WriteBytes(Path(below), content)) << below;
  }
  std::string Read(const std::string& below) {
    std::string content;
    return f().ReadBytes(Path(below), &content) ? content : "<unreadable>";
  }
  // "long|short" of each entry, sorted: the order of a directory listing is
  // the file system's (FAT: the order of the directory's slots).
  std::vector<std::string> Find(const std::string& pattern) {
    std::vector<FindData> found;
    f().FindFiles(Path(pattern), &found);
    std::vector<std::string> names;
    for (const FindData& d : found) names.push_back(d.longName + "|" + d.shortName);
    std::sort(names.begin(), names.end());
    return names;
  }
  FindData FindOne(const std::string& below) {
    std::vector<FindData> found;
    EXPECT_TRUE(f().FindFiles(Path(below), &found)) << below;
    return found.empty() ? FindData() : found.front();
  }

  std::unique_ptr<testing::ConformanceTarget> target_ = testing::OpenConformanceTarget();
};

// --- Attributes ------------------------------------------------------------------

TEST_F(FilesConformance, AMissingPathHasNoAttributes) {
  EXPECT_EQ(f().GetAttributes(Path("none.txt")), kInvalidAttributes);
  EXPECT_EQ(f().GetAttributes(Path("nodir\\none.txt")), kInvalidAttributes);
}

TEST_F(FilesConformance, ADirectoryIsADirectory) {
  EXPECT_TRUE(f().GetAttributes(target_->directory()) & kAttrDirectory);
}

TEST_F(FilesConformance, ANewFileIsToBeArchived) {
  Write("new.txt", "x");
  EXPECT_EQ(f().GetAttributes(Path("new.txt")), static_cast<std::uint32_t>(kAttrArchive));
}

// --- Reading and writing whole files ---------------------------------------------

TEST_F(FilesConformance, BytesComeBackAsWritten) {
  const std::string content = "line\r\nnext\n\0\xFF\x83\x5C"s;
  Write("bytes.bin", content);
  EXPECT_EQ(Read("bytes.bin"), content);
  Write("empty.bin", "");
  EXPECT_EQ(Read("empty.bin"), "");
}

TEST_F(FilesConformance, WritingAgainReplacesTheContent) {
  Write("file.txt", "a longer first content");
  Write("file.txt", "short");
  EXPECT_EQ(Read("file.txt"), "short");
}

TEST_F(FilesConformance, WritingNeedsTheDirectory) {
  EXPECT_FALSE(f().WriteBytes(Path("nodir\\file.txt"), "x"));
  EXPECT_EQ(f().GetAttributes(Path("nodir")), kInvalidAttributes);
}

TEST_F(FilesConformance, ADirectoryIsNeitherReadNorWritten) {
  ASSERT_TRUE(f().MakeDirectory(Path("dir")));
  std::string content = "untouched";
  EXPECT_FALSE(f().ReadBytes(Path("dir"), &content));
  EXPECT_EQ(content, "untouched");
  EXPECT_FALSE(f().WriteBytes(Path("dir"), "x"));
  EXPECT_TRUE(f().GetAttributes(Path("dir")) & kAttrDirectory);
}

TEST_F(FilesConformance, AMissingFileCannotBeRead) {
  std::string content = "untouched";
  EXPECT_FALSE(f().ReadBytes(Path("none.txt"), &content));
  EXPECT_EQ(content, "untouched");
}

TEST_F(FilesConformance, TextLinesAreWrittenWithCrLf) {
  ASSERT_TRUE(WriteTextLines(f(), Path("lines.txt"), {"one", "", "three"}));
  EXPECT_EQ(Read("lines.txt"), "one\r\n\r\nthree\r\n");
  Write("mixed.txt", "a\rb\nc\r\nd");
  std::vector<std::string> lines;
  ASSERT_TRUE(ReadTextLines(f(), Path("mixed.txt"), &lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d"}));
}

// --- Names and paths ----------------------------------------------------------------

TEST_F(FilesConformance, NamesCompareWithoutCase) {
  Write("Zubanet.ini", "one");
  EXPECT_EQ(Read("ZUBANET.INI"), "one");
  EXPECT_EQ(Read("zubanet.ini"), "one");
}

TEST_F(FilesConformance, WritingUnderAnotherSpellingKeepsTheFirst) {
  Write("Zubanet.ini", "one");
  Write("ZUBANET.ini", "two");
  EXPECT_EQ(FindOne("zubanet.ini").longName, "Zubanet.ini");
  EXPECT_EQ(Read("Zubanet.ini"), "two");
}

TEST_F(FilesConformance, DoubleByteNamesAreKept) {
  Write("ソフト.ini", "a");  // 83 5C: the trail byte is no separator
  EXPECT_EQ(FindOne("ソフト.ini").longName, "ソフト.ini");
  EXPECT_EQ(Read("ソフト.INI"), "a");
}

TEST_F(FilesConformance, TrailingDotsAndSpacesOfANameAreDropped) {
  Write("hosts", "h");
  EXPECT_EQ(Read("hosts."), "h");
  EXPECT_EQ(Read("hosts. "), "h");
}

TEST_F(FilesConformance, DotDotClimbsAndSlashSeparates) {
  ASSERT_TRUE(f().MakeDirectory(Path("sub")));
  Write("top.txt", "t");
  EXPECT_EQ(Read("sub\\..\\top.txt"), "t");
  EXPECT_EQ(Read("sub/../top.txt"), "t");
  EXPECT_EQ(Read(".\\top.txt"), "t");
}

// --- Searching ---------------------------------------------------------------------------

TEST_F(FilesConformance, AStarMatchesAnyRun) {
  Write("a.ini", "");
  Write("b.INI", "");
  Write("c.txt", "");
  EXPECT_EQ(Find("*.ini").size(), 2u);
  EXPECT_EQ(Find("*").size(), 3u);
}

TEST_F(FilesConformance, AQuestionMarkMatchesOneCharacter) {
  Write("HOST1", "");
  Write("HOST22", "");
  EXPECT_EQ(Find("HOST?"), std::vector<std::string>{"HOST1|"});
}

TEST_F(FilesConformance, DotAndDotDotAreNotListed) {
  ASSERT_TRUE(f().MakeDirectory(Path("sub")));
  Write("sub\\ONE.TXT", "");
  EXPECT_EQ(Find("sub\\*"), std::vector<std::string>{"ONE.TXT|"});
}

TEST_F(FilesConformance, ASearchWithoutMatchAnswersFalse) {
  std::vector<FindData> found;
  EXPECT_FALSE(f().FindFiles(Path("*.xyz"), &found));
  EXPECT_FALSE(f().FindFiles(Path("nodir\\*"), &found));
  EXPECT_FALSE(f().FindFiles(target_->directory() + "\\", &found));
  EXPECT_TRUE(found.empty());
}

TEST_F(FilesConformance, DotStarAlsoMatchesANameWithoutExtension) {
  Write("HOSTS", "");
  Write("HOSTS.SAM", "");
  Write("hosts.office", "");
  EXPECT_EQ(Find("hosts.*").size(), 3u);
}

TEST_F(FilesConformance, StarDotMatchesNamesWithoutExtension) {
  if (target_->IsWine()) GTEST_SKIP() << "Wine matches \"*.\" as \"*\"";
  Write("HOSTS", "");
  Write("HOSTS.SAM", "");
  EXPECT_EQ(Find("*."), std::vector<std::string>{"HOSTS|"});
}

TEST_F(FilesConformance, ASearchGivesSizeAndAttributes) {
  Write("SIZED.TXT", "12345");
  ASSERT_TRUE(f().MakeDirectory(Path("DIR")));
  FindData file = FindOne("SIZED.TXT");
  EXPECT_EQ(file.size, 5u);
  EXPECT_EQ(file.attributes, static_cast<std::uint32_t>(kAttrArchive));
  EXPECT_TRUE(FindOne("DIR").attributes & kAttrDirectory);
}

TEST_F(FilesConformance, ASearchAppendsToWhatWasFound) {
  Write("ONE.TXT", "");
  std::vector<FindData> found(1);
  ASSERT_TRUE(f().FindFiles(Path("ONE.TXT"), &found));
  EXPECT_EQ(found.size(), 2u);
}

// --- Short names --------------------------------------------------------------------------

TEST_F(FilesConformance, AnUpperCase83NameIsItsOwnShortName) {
  Write("HOSTS", "");
  Write("WIN.INI", "");
  EXPECT_EQ(Find("*"), (std::vector<std::string>{"HOSTS|", "WIN.INI|"}));
}

TEST_F(FilesConformance, ALowerCase83NameHasItsUpperCaseFormAsShortName) {
  if (target_->IsWine()) GTEST_SKIP() << "Wine gives a valid 8.3 name in any case no short name";
  Write("Examples.Txt", "");
  EXPECT_EQ(Find("*"), std::vector<std::string>{"Examples.Txt|EXAMPLES.TXT"});
}

TEST_F(FilesConformance, ALongNameGetsANumberedAlias) {
  if (target_->IsWine()) GTEST_SKIP() << "Wine hashes its aliases (THIS~ABC.TXT)";
  Write("my file.txt", "");
  Write("ver +1.2.text", "");
  EXPECT_EQ(Find("*"),
            (std::vector<std::string>{"my file.txt|MYFILE~1.TXT", "ver +1.2.text|VER_12~1.TEX"}));
}

TEST_F(FilesConformance, TheShortNameOpensTheFileAndMatchesPatterns) {
  Write("Long File Name.text", "content");
  const std::string alias = FindOne("Long File Name.text").shortName;
  ASSERT_FALSE(alias.empty());
  EXPECT_EQ(Read(alias), "content");
  EXPECT_EQ(Find(alias).size(), 1u);
}

TEST_F(FilesConformance, AShortDirectoryNameLeadsIntoTheDirectory) {
  ASSERT_TRUE(f().MakeDirectory(Path("Long Folder Name")));
  Write("Long Folder Name\\F.TXT", "x");
  const std::string alias = FindOne("Long Folder Name").shortName;
  ASSERT_FALSE(alias.empty());
  EXPECT_EQ(Read(alias + "\\F.TXT"), "x");
}

// --- Copies -------------------------------------------------------------------------------

TEST_F(FilesConformance, ACopyMakesANewFile) {
  Write("source", "data");
  EXPECT_TRUE(f().CopyTo(Path("source"), Path("target"), IfTargetExists::kFail));
  EXPECT_EQ(Read("target"), "data");
}

TEST_F(FilesConformance, FailIfExistsKeepsTheTarget) {
  Write("source", "new");
  Write("target", "old");
  EXPECT_FALSE(f().CopyTo(Path("source"), Path("TARGET"), IfTargetExists::kFail));
  EXPECT_EQ(Read("target"), "old");
}

TEST_F(FilesConformance, ACopyReplacesTheTargetWhenAllowed) {
  Write("source", "new");
  Write("target", "old and longer");
  EXPECT_TRUE(f().CopyTo(Path("source"), Path("target"), IfTargetExists::kReplace));
  EXPECT_EQ(Read("target"), "new");
}

TEST_F(FilesConformance, ACopyNeedsAFileAndATargetDirectory) {
  Write("source", "x");
  ASSERT_TRUE(f().MakeDirectory(Path("dir")));
  EXPECT_FALSE(f().CopyTo(Path("none"), Path("t1"), IfTargetExists::kReplace));
  EXPECT_FALSE(f().CopyTo(Path("dir"), Path("t2"), IfTargetExists::kReplace));
  EXPECT_FALSE(f().CopyTo(Path("source"), Path("nodir\\t3"), IfTargetExists::kReplace));
  EXPECT_FALSE(f().CopyTo(Path("source"), Path("dir"), IfTargetExists::kReplace));
  EXPECT_EQ(Find("t*").size(), 0u);
}

TEST_F(FilesConformance, AFileIsNotCopiedOntoItself) {
  Write("self", "x");
  EXPECT_FALSE(f().CopyTo(Path("self"), Path("SELF"), IfTargetExists::kReplace));
  EXPECT_EQ(Read("self"), "x");
}

// --- Directories and removal ---------------------------------------------------------------

TEST_F(FilesConformance, ADirectoryNeedsItsParentAndIsMadeOnce) {
  EXPECT_TRUE(f().MakeDirectory(Path("New")));
  EXPECT_FALSE(f().MakeDirectory(Path("new")));
  EXPECT_FALSE(f().MakeDirectory(Path("A\\B")));
}

TEST_F(FilesConformance, RemovingAFile) {
  Write("gone.txt", "x");
  EXPECT_TRUE(f().RemoveFile(Path("GONE.TXT")));
  EXPECT_EQ(f().GetAttributes(Path("gone.txt")), kInvalidAttributes);
  EXPECT_FALSE(f().RemoveFile(Path("gone.txt")));
}

TEST_F(FilesConformance, RemovingADirectoryAsAFileFails) {
  ASSERT_TRUE(f().MakeDirectory(Path("dir")));
  EXPECT_FALSE(f().RemoveFile(Path("dir")));
  EXPECT_TRUE(f().GetAttributes(Path("dir")) & kAttrDirectory);
}

// --- The machine's own directories and change stamps ----------------------------------------

TEST_F(FilesConformance, TheWindowsDirectoryIsADirectoryWithoutTrailingBackslash) {
  const std::string windows = f().WindowsDirectory();
  ASSERT_GT(windows.size(), 3u);
  EXPECT_EQ(windows[1], ':');
  EXPECT_NE(windows.back(), '\\');
  EXPECT_TRUE(f().GetAttributes(windows) & kAttrDirectory);
}

TEST_F(FilesConformance, TheCurrentDirectoryIsADirectory) {
  EXPECT_TRUE(f().GetAttributes(f().CurrentDirectory()) & kAttrDirectory);
}

TEST_F(FilesConformance, TheProgramPathNamesAnExistingFile) {
  const std::string program = f().ProgramPath();
  EXPECT_EQ(program[1], ':');
  const std::uint32_t attributes = f().GetAttributes(program);
  ASSERT_NE(attributes, kInvalidAttributes);
  EXPECT_FALSE(attributes & kAttrDirectory);
}

TEST_F(FilesConformance, AChangeStampChangesWithTheContent) {
  EXPECT_EQ(f().ChangeStamp(Path("stamped.txt")), 0u);
  Write("stamped.txt", "abc");
  const std::uint64_t first = f().ChangeStamp(Path("stamped.txt"));
  EXPECT_NE(first, 0u);
  Write("stamped.txt", "abd");  // same size, same moment
  EXPECT_NE(f().ChangeStamp(Path("stamped.txt")), first);
}

}  // namespace
}  // namespace zuba::platform
