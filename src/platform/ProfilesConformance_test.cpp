// The private-profile functions as Windows 9x answers them, run against
// every implementation of the seam (testing/ConformanceTarget.h). The files
// are written and read byte for byte through Files.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "platform/Profiles.h"
#include "testing/ConformanceTarget.h"

namespace zuba::platform {
namespace {

using namespace std::string_literals;

class ProfilesConformance : public ::testing::Test {
 protected:
  Profiles& p() { return target_->profiles(); }
  std::string File() { return target_->directory() + "\\Zubanet.ini"; }
  void Content(const std::string& text) { ASSERT_TRUE(target_->files().WriteBytes(File(), text)); }
  std::string Content() {
    std::string text;
    return target_->files().ReadBytes(File(), &text) ? text : "<missing>";
  }
  // GetString with a buffer of `size`; "<untouched>" when it wrote nothing.
  std::string Get(const std::string& section, const std::string& key,
                  const std::string& def = "<default>", std::size_t size = 2048) {
    std::string value = "<untouched>";
    std::size_t n = p().GetString(section, key, def, &value, size, File());
    EXPECT_EQ(n, value == "<untouched>" ? 0 : value.size());
    return value;
  }
  std::string KeyNames(const std::string& section, std::size_t size, std::size_t* length) {
    std::string names;
    *length = p().GetKeyNames(section, &names, size, File());
    return names;
  }
  std::string SectionNames(std::size_t size, std::size_t* length) {
    std::string names;
    *length = p().GetSectionNames(&names, size, File());
    return names;
  }

  std::unique_ptr<testing::ConformanceTarget> target_ = testing::OpenConformanceTarget();
};

// --- Reading one value ----------------------------------------------------------------

TEST_F(ProfilesConformance, AMissingFileGivesTheDefault) {
  EXPECT_EQ(Get("s", "k", "d"), "d");
  std::string value;
  EXPECT_EQ(p().GetString("s", "k", "d", &value, 10, target_->directory() + "\\nodir\\x.ini"), 1u);
  EXPECT_EQ(value, "d");
}

TEST_F(ProfilesConformance, AMissingSectionOrKeyGivesTheDefault) {
  Content("[s]\r\nk=v\r\n");
  EXPECT_EQ(Get("other", "k", "d"), "d");
  EXPECT_EQ(Get("s", "other", "d"), "d");
}

TEST_F(ProfilesConformance, TheDefaultLosesItsTrailingSpacesOnly) {
  EXPECT_EQ(Get("s", "k", "  d  "), "  d");
  EXPECT_EQ(Get("s", "k", "\td\t"), "\td\t");
}

TEST_F(ProfilesConformance, ADefaultOfSpacesOnlyBecomesEmpty) {
  if (target_->IsWine()) GTEST_SKIP() << "Wine keeps the first space of such a default";
  EXPECT_EQ(Get("s", "k", "   "), "");
}

TEST_F(ProfilesConformance, TheDefaultKeepsItsQuotes) {
  if (target_->IsWine()) GTEST_SKIP() << "Wine removes quotes from the default too";
  EXPECT_EQ(Get("s", "k", "\"q\""), "\"q\"");
}

TEST_F(ProfilesConformance, SectionAndKeyNamesCompareWithoutCase) {
  Content("[Initialize]\r\nOpt1=1\r\n");
  EXPECT_EQ(Get("INITIALIZE", "opt1"), "1");
}

TEST_F(ProfilesConformance, BlanksAroundNamesAndValuesAreTrimmed) {
  Content("[s]\r\n  Opt1 =  1  \t\r\n");
  EXPECT_EQ(Get("s", "Opt1"), "1");
}

TEST_F(ProfilesConformance, TheNamesGivenLoseTheirSurroundingSpaces) {
  Content("[ Sec ]\r\nKey=v\r\n");
  EXPECT_EQ(Get(" sec ", "  key  "), "v");
}

TEST_F(ProfilesConformance, OnePairOfMatchingQuotesIsRemoved) {
  Content("[s]\r\nd=\"  two words  \"\r\ns=' x'\r\ne=\"\"\r\n");
  EXPECT_EQ(Get("s", "d"), "  two words  ");
  EXPECT_EQ(Get("s", "s"), " x");
  EXPECT_EQ(Get("s", "e"), "");
}

TEST_F(ProfilesConformance, QuotesThatDoNotMatchStay) {
  Content("[s]\r\nm=\"abc'\r\nlone=\"\r\nhalf=\"abc\r\n");
  EXPECT_EQ(Get("s", "m"), "\"abc'");
  EXPECT_EQ(Get("s", "lone"), "\"");
  EXPECT_EQ(Get("s", "half"), "\"abc");
}

TEST_F(ProfilesConformance, OnlyTheOuterQuotesGo) {
  Content("[s]\r\ninner=\"\"x\"\"\r\n");
  EXPECT_EQ(Get("s", "inner"), "\"x\"");
}

TEST_F(ProfilesConformance, ACommentLineHoldsNoKey) {
  Content("[s]\r\n;k=comment\r\n  ;j=indented comment\r\n");
  EXPECT_EQ(Get("s", "k"), "<default>");
  EXPECT_EQ(Get("s", "j"), "<default>");
}

TEST_F(ProfilesConformance, ACommentLineIsNotFoundByItsName) {
  if (target_->IsWine()) GTEST_SKIP() << "Wine finds \";k=v\" as the key \";k\"";
  Content("[s]\r\n;k=comment\r\n  ;j=indented comment\r\n");
  EXPECT_EQ(Get("s", ";k"), "<default>");
  EXPECT_EQ(Get("s", ";j"), "<default>");
}

TEST_F(ProfilesConformance, ASemicolonElsewhereAndAHashAreText) {
  Content("[s]\r\nk=a;b\r\n#h=v\r\n");
  EXPECT_EQ(Get("s", "k"), "a;b");
  EXPECT_EQ(Get("s", "#h"), "v");
}

TEST_F(ProfilesConformance, ALineWithoutEqualsHasNoValue) {
  Content("[s]\r\nname3\r\n");
  EXPECT_EQ(Get("s", "name3"), "<default>");
}

TEST_F(ProfilesConformance, AnEmptyValueIsAValue) {
  Content("[s]\r\nempty=\r\n");
  EXPECT_EQ(Get("s", "empty"), "");
}

TEST_F(ProfilesConformance, TheFirstOfDuplicateKeysCounts) {
  Content("[s]\r\ndup=first\r\ndup=second\r\n");
  EXPECT_EQ(Get("s", "dup"), "first");
}

TEST_F(ProfilesConformance, OnlyTheFirstOfDuplicateSectionsIsSearched) {
  Content("[s]\r\na=1\r\n[S]\r\nb=2\r\n");
  EXPECT_EQ(Get("s", "a"), "1");
  EXPECT_EQ(Get("s", "b"), "<default>");
}

TEST_F(ProfilesConformance, LinesBeforeTheFirstSectionBelongToNone) {
  Content("orphan=1\r\n[s]\r\nk=v\r\n");
  EXPECT_EQ(Get("s", "orphan"), "<default>");
}

TEST_F(ProfilesConformance, ASectionNameEndsAtTheFirstBracket) {
  if (target_->IsWine()) GTEST_SKIP() << "Wine ends a section name at the last ']' of its line";
  Content("[a]b]\r\nk=v\r\n");
  EXPECT_EQ(Get("a", "k"), "v");
}

TEST_F(ProfilesConformance, LinesEndInCrLfLfOrCr) {
  Content("[s]\ra=1\nb=2\r\nc=3");
  EXPECT_EQ(Get("s", "a"), "1");
  EXPECT_EQ(Get("s", "b"), "2");
  EXPECT_EQ(Get("s", "c"), "3");
}

TEST_F(ProfilesConformance, TrailBytesAreNeitherSyntaxNorFolded) {
  // 83 5D has the trail byte ']'; 82 61 the trail byte 'a'; 83 5C the backslash.
  Content("[\x83\x5D]\r\nk\x82\x61=\x83\x5C\x83\x74\x83\x67\r\n");
  EXPECT_EQ(Get("\x83\x5D", "K\x82\x61"), "\x83\x5C\x83\x74\x83\x67");
  EXPECT_EQ(Get("\x83\x5D", "k\x82\x41"), "<default>");
}

TEST_F(ProfilesConformance, AValueIsCutToTheBuffer) {
  Content("[s]\r\nk=val1\r\n");
  EXPECT_EQ(Get("s", "k", "", 4), "val");
  EXPECT_EQ(Get("s", "k", "", 5), "val1");
  EXPECT_EQ(Get("s", "k", "", 1), "");
  EXPECT_EQ(Get("s", "none", "default", 4), "def");
}

TEST_F(ProfilesConformance, ABufferOfNoBytesIsLeftAlone) {
  Content("[s]\r\nk=val1\r\n");
  EXPECT_EQ(Get("s", "k", "", 0), "<untouched>");
}

TEST_F(ProfilesConformance, OneReadGivesAtMost32KB) {
  if (target_->IsWine()) GTEST_SKIP() << "Wine reads any length, as Windows NT";
  Content("[s]\r\nbig=" + std::string(40000, 'b') + "\r\n");
  EXPECT_EQ(Get("s", "big", "", 100000).size(), 32766u);
}

// --- Listings -------------------------------------------------------------------------------

TEST_F(ProfilesConformance, KeyNamesAreListedInFileOrder) {
  Content("[s]\r\nname1=val1\r\nname2=\r\nname3\r\n;c=x\r\nname4=v\r\n");
  std::size_t n;
  EXPECT_EQ(KeyNames("S", 1024, &n), "name1\0name2\0name4\0\0"s);
  EXPECT_EQ(n, 18u);
}

TEST_F(ProfilesConformance, AKeyListingThatDoesNotFitIsCut) {
  Content("[s]\r\nname1=val1\r\nname2=\r\nname4=v\r\n");
  std::size_t n;
  EXPECT_EQ(KeyNames("s", 16, &n), "name1\0name2\0na\0\0"s);
  EXPECT_EQ(n, 14u);
}

TEST_F(ProfilesConformance, DuplicateKeysAreListedEachTime) {
  Content("[s]\r\ndup=1\r\ndup=2\r\n");
  std::size_t n;
  EXPECT_EQ(KeyNames("s", 1024, &n), "dup\0dup\0\0"s);
}

TEST_F(ProfilesConformance, AMissingSectionListsNoKeys) {
  Content("[s]\r\nk=v\r\n");
  std::size_t n;
  EXPECT_EQ(KeyNames("none", 1024, &n), "\0"s);
  EXPECT_EQ(n, 0u);
}

TEST_F(ProfilesConformance, AKeyListingNeedsTwoBytes) {
  Content("[s]\r\nk=v\r\n");
  std::size_t n = 9;
  EXPECT_EQ(KeyNames("s", 1, &n), "\0"s);
  EXPECT_EQ(n, 0u);
}

TEST_F(ProfilesConformance, SectionNamesAreListedWithoutBrackets) {
  Content("[one]\r\n[ two ]\r\nk=v\r\n[three]\r\n");
  std::size_t n;
  EXPECT_EQ(SectionNames(1024, &n), "one\0two\0three\0\0"s);
  EXPECT_EQ(n, 14u);
}

TEST_F(ProfilesConformance, ASectionListingGivesWholeNamesOnly) {
  Content("[one]\r\n[two]\r\n[three]\r\n");
  std::size_t n;
  EXPECT_EQ(SectionNames(10, &n), "one\0two\0\0"s);
  EXPECT_EQ(n, 8u);
  EXPECT_EQ(SectionNames(1, &n), "one\0two\0three\0\0"s);  // 0 or 1 byte: no limit
}

TEST_F(ProfilesConformance, ASectionIsListedAsNamesAndValues) {
  Content("[List]\r\n;names\r\n A = \"1\" \r\nnote\r\nB=2\r\n[Other]\r\nC=3\r\n");
  std::string entries;
  EXPECT_EQ(p().GetSection("list", &entries, 1024, File()), 10u);
  EXPECT_EQ(entries, "A=\"1\"\0B=2\0\0"s);  // quotes kept, comments and text lines left out
}

TEST_F(ProfilesConformance, ASectionListingIsCutToTheBuffer) {
  Content("[List]\r\nA=\"1\"\r\nB=2\r\n");
  std::string entries;
  EXPECT_EQ(p().GetSection("List", &entries, 8, File()), 6u);
  EXPECT_EQ(entries, std::string("A=\"1\"\0\0\0", 8));
  EXPECT_EQ(p().GetSection("none", &entries, 1024, File()), 0u);
  EXPECT_EQ(entries, "\0"s);
}

// --- Writing ---------------------------------------------------------------------------------

TEST_F(ProfilesConformance, WritingASectionReplacesItsKeys) {
  Content("[List]\r\nA=1\r\nB=2\r\n[Other]\r\nC=3\r\n");
  ASSERT_TRUE(p().WriteSection("LIST", {"A=x=y", "D=4", "", "F=6"}, File()));
  std::size_t n;
  EXPECT_EQ(KeyNames("List", 1024, &n), "A\0D\0\0"s);  // the empty entry ends the list
  EXPECT_EQ(Get("List", "A"), "x=y");
  EXPECT_EQ(Get("List", "D"), "4");
  EXPECT_EQ(Get("Other", "C"), "3");
  ASSERT_TRUE(p().WriteSection("New", {"k=v"}, File()));
  EXPECT_EQ(Get("New", "k"), "v");
  EXPECT_TRUE(p().Flush(File()));
}

TEST_F(ProfilesConformance, AMalformedSectionWritesNothing) {
  Content("[List]\r\nA=1\r\n");
  EXPECT_FALSE(p().WriteSection("List", {"B=2", "no equals sign"}, File()));
  EXPECT_FALSE(p().WriteSection("List", {"B=2", " =2"}, File()));
  EXPECT_FALSE(p().WriteSection("List", {"B=2\r\n[x]"}, File()));
  EXPECT_FALSE(p().WriteSection(" ", {"B=2"}, File()));
  EXPECT_EQ(Content(), "[List]\r\nA=1\r\n");
}


TEST_F(ProfilesConformance, AWriteCreatesTheFileAndTheSection) {
  ASSERT_TRUE(p().WriteString("Locations", "CurrentLocation", "1,1", File()));
  EXPECT_EQ(Content(), "[Locations]\r\nCurrentLocation=1,1\r\n");
}

TEST_F(ProfilesConformance, AWriteReplacesTheValueInPlace) {
  Content(";  settings\r\n[Initialize]\r\n  Opt1 = 0\t\r\nOpt2=1\r\n");
  ASSERT_TRUE(p().WriteString(" INITIALIZE ", "opt1", "1", File()));
  EXPECT_EQ(Content(), ";  settings\r\n[Initialize]\r\nOpt1=1\r\nOpt2=1\r\n");
}

TEST_F(ProfilesConformance, ANewKeyFollowsTheSectionsLastKey) {
  Content("[List]\r\nA=1\r\n[Next]\r\nZ=9\r\n");
  ASSERT_TRUE(p().WriteString("list", "B", "2", File()));
  EXPECT_EQ(Content(), "[List]\r\nA=1\r\nB=2\r\n[Next]\r\nZ=9\r\n");
}

TEST_F(ProfilesConformance, AFileWithoutFinalLineBreakGetsOneBeforeANewLine) {
  Content("[A]\r\nx=1");
  ASSERT_TRUE(p().WriteString("A", "y", "2", File()));
  ASSERT_TRUE(p().WriteString("B", "k", "v", File()));
  EXPECT_EQ(Content(), "[A]\r\nx=1\r\ny=2\r\n[B]\r\nk=v\r\n");
}

TEST_F(ProfilesConformance, ANewSectionGoesAtTheEnd) {
  Content("[A]\r\nx=1\r\n");
  ASSERT_TRUE(p().WriteString("New", "Key", "v", File()));
  EXPECT_EQ(Content(), "[A]\r\nx=1\r\n[New]\r\nKey=v\r\n");
}

TEST_F(ProfilesConformance, QuotesAreWrittenAsGiven) {
  ASSERT_TRUE(p().WriteString("s", "Q", "\"v\"", File()));
  ASSERT_TRUE(p().WriteString("s", "T", "two ", File()));
  EXPECT_EQ(Content(), "[s]\r\nQ=\"v\"\r\nT=two \r\n");
  EXPECT_EQ(Get("s", "Q"), "v");
}

TEST_F(ProfilesConformance, LeadingBlanksOfAValueAreWritten) {
  if (target_->IsWine()) GTEST_SKIP() << "Wine drops the blanks at the start of a value written";
  ASSERT_TRUE(p().WriteString("s", "B", " two ", File()));
  EXPECT_EQ(Content(), "[s]\r\nB= two \r\n");
}

TEST_F(ProfilesConformance, AnEmptyValueIsWrittenAsSuch) {
  ASSERT_TRUE(p().WriteString("s", "k", "", File()));
  EXPECT_EQ(Content(), "[s]\r\nk=\r\n");
}

TEST_F(ProfilesConformance, DoubleByteTextIsWrittenAsGiven) {
  ASSERT_TRUE(p().WriteString("設定", "名前", "ソフト開発部", File()));
  EXPECT_EQ(Content(), "[設定]\r\n名前=ソフト開発部\r\n");
  EXPECT_EQ(Get("設定", "名前"), "ソフト開発部");
}

TEST_F(ProfilesConformance, AWriteNeedsTheDirectory) {
  EXPECT_FALSE(p().WriteString("s", "k", "v", target_->directory() + "\\nodir\\x.ini"));
}

TEST_F(ProfilesConformance, ADirectoryIsNoProfile) {
  ASSERT_TRUE(target_->files().MakeDirectory(target_->directory() + "\\dir.ini"));
  std::string value;
  EXPECT_EQ(p().GetString("s", "k", "d", &value, 10, target_->directory() + "\\dir.ini"), 1u);
  EXPECT_EQ(value, "d");
  EXPECT_FALSE(p().WriteString("s", "k", "v", target_->directory() + "\\dir.ini"));
}

TEST_F(ProfilesConformance, AnEmptySectionOrKeyNameIsNotWritten) {
  EXPECT_FALSE(p().WriteString("", "k", "v", File()));
  EXPECT_FALSE(p().WriteString("s", " ", "v", File()));
  EXPECT_EQ(Content(), "<missing>");
}

TEST_F(ProfilesConformance, ABareFileNameIsInTheWindowsDirectory) {
  const std::string name =
      "zubacf" + std::to_string(target_->system().GetTickCount() % 100000) + ".ini";
  ASSERT_TRUE(p().WriteString("s", "k", "v", name));
  const std::string path = target_->files().WindowsDirectory() + "\\" + name;
  std::string text;
  EXPECT_TRUE(target_->files().ReadBytes(path, &text));
  EXPECT_EQ(text, "[s]\r\nk=v\r\n");
  target_->files().RemoveFile(path);
}

// --- Removing ---------------------------------------------------------------------------------

TEST_F(ProfilesConformance, RemovingAKeyTakesItsLine) {
  Content("[List]\r\nA=1\r\nB=2\r\n");
  ASSERT_TRUE(p().RemoveKey("list", "a", File()));
  EXPECT_EQ(Content(), "[List]\r\nB=2\r\n");
}

TEST_F(ProfilesConformance, RemovingTheLastKeyLeavesTheHeader) {
  Content("[List]\r\nA=1\r\n");
  ASSERT_TRUE(p().RemoveKey("List", "A", File()));
  EXPECT_EQ(Content(), "[List]\r\n");
}

TEST_F(ProfilesConformance, RemovingWhatIsNotThereSucceeds) {
  Content("[List]\r\nA=1\r\n");
  EXPECT_TRUE(p().RemoveKey("List", "none", File()));
  EXPECT_TRUE(p().RemoveKey("none", "A", File()));
  EXPECT_TRUE(p().RemoveSection("none", File()));
  EXPECT_EQ(Content(), "[List]\r\nA=1\r\n");
}

TEST_F(ProfilesConformance, RemovingFromAMissingFileCreatesNothing) {
  EXPECT_TRUE(p().RemoveKey("s", "k", File()));
  EXPECT_TRUE(p().RemoveSection("s", File()));
  EXPECT_EQ(Content(), "<missing>");
}

TEST_F(ProfilesConformance, RemovingASectionTakesItsKeys) {
  Content("[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n");
  ASSERT_TRUE(p().RemoveSection("a", File()));
  EXPECT_EQ(Content(), "[B]\r\nz=3\r\n");
  EXPECT_EQ(Get("A", "x"), "<default>");
}

TEST_F(ProfilesConformance, RemovingASectionKeepsItsComments) {
  if (target_->IsWine()) GTEST_SKIP() << "Wine drops the comments with the section";
  Content("[A]\r\nx=1\r\n;note\r\n[B]\r\nz=3\r\n");
  ASSERT_TRUE(p().RemoveSection("A", File()));
  EXPECT_EQ(Content(), ";note\r\n[B]\r\nz=3\r\n");
}

// --- Whole sections --------------------------------------------------------------------------

TEST_F(ProfilesConformance, ASectionIsListedAsItsKeysWithTheirRawValues) {
  Content("[A]\r\n x = \"1\" \r\ny=\r\n[B]\r\nz=3\r\n");
  std::string entries;
  EXPECT_EQ(p().GetSection("a", &entries, 1024, File()), 9u);
  EXPECT_EQ(entries, "x=\"1\"\0y=\0\0"s);
  EXPECT_EQ(p().GetSection("none", &entries, 1024, File()), 0u);
}

TEST_F(ProfilesConformance, AWholeSectionIsReplacedInOneCall) {
  Content("[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n");
  ASSERT_TRUE(p().WriteSection("a", {"x=9", "w=4"}, File()));
  EXPECT_EQ(Content(), "[A]\r\nx=9\r\nw=4\r\n[B]\r\nz=3\r\n");
  ASSERT_TRUE(p().WriteSection("New", {"k=v"}, File()));
  EXPECT_EQ(Get("New", "k"), "v");
  EXPECT_EQ(Get("A", "y"), "<default>");
  EXPECT_TRUE(p().Flush(File()));
}

// --- Writers in several processes -----------------------------------------------

// Every write reads the file afresh and replaces it whole, one writer at a
// time: writers of different sections and keys in different processes keep
// each other's values. The test runs again in two peer processes; all three
// start writing together once the test says so.
TEST_F(ProfilesConformance, WritersInSeveralProcessesKeepEachOthersValues) {
  constexpr int kPeers = 2, kKeys = 120;
  const int self = testing::PeerNumber();
  auto writeAll = [&](int writer) {
    const std::string section = "w" + std::to_string(writer);
    for (int i = 0; i < kKeys; ++i) {
      const std::string key = "k" + std::to_string(i);
      ASSERT_TRUE(p().WriteString(section, key, section + key, File()));
      ASSERT_TRUE(p().WriteString("shared", section + key, key, File()));
    }
  };
  if (self > 0) {
    for (int wait = 0; wait < 1000 && Get("start", "go") != "1"; ++wait) {
      target_->system().Sleep(10);
    }
    writeAll(self);
    return;
  }
  std::vector<std::unique_ptr<testing::PeerProcess>> peers;
  for (int n = 1; n <= kPeers; ++n) {
    peers.push_back(target_->StartPeer(testing::CurrentTestName(), n));
  }
  ASSERT_TRUE(p().WriteString("start", "go", "1", File()));
  writeAll(0);
  for (auto& peer : peers) EXPECT_TRUE(peer->Wait());
  int lost = 0;
  for (int writer = 0; writer <= kPeers; ++writer) {
    const std::string section = "w" + std::to_string(writer);
    for (int i = 0; i < kKeys; ++i) {
      const std::string key = "k" + std::to_string(i);
      lost += Get(section, key) != section + key;
      lost += Get("shared", section + key) != key;
    }
  }
  EXPECT_EQ(lost, 0);
}

}  // namespace
}  // namespace zuba::platform
