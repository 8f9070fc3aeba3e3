#include "system/jstrm.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/Cp932.h"
#include "system/Errors.h"
#include "testing/TestMachine.h"

namespace zuba::system {
namespace {

// The lead bytes of code page 932.
LeadBytes Cp932() { return LeadBytes::FromPredicate(platform::IsCp932LeadByte); }

// The token splitter written directly on IsTrailByte, position by position:
// the reference the fast forward walk must agree with.
std::string ReferenceTakeToken(std::string& text, const std::string& delimiters,
                               const LeadBytes& lead) {
  std::string token;
  if (text.empty()) return token;
  if (delimiters.empty()) {
    token.swap(text);
    return token;
  }
  for (std::size_t p = 1; p <= text.size(); ++p) {
    if (!IsTrailByte(text, static_cast<std::ptrdiff_t>(p), lead) &&
        delimiters.find(text[p - 1]) != std::string::npos) {
      token = text.substr(0, p - 1);
      text.erase(0, p);
      return token;
    }
  }
  token.swap(text);
  return token;
}

// Trailing trim, one character at a time from the end, on IsTrailByte.
void ReferenceTrimTrailing(std::string& text, const LeadBytes& lead) {
  while (!text.empty()) {
    std::size_t n = text.size();
    if (IsTrailByte(text, static_cast<std::ptrdiff_t>(n), lead)) {
      if (text.compare(n - 2, 2, "\x81\x40") != 0) return;
      text.resize(n - 2);
    } else {
      if (text[n - 1] != ' ') return;
      text.resize(n - 1);
    }
  }
}

std::vector<std::string> AllTokens(std::string text, const std::string& delimiters) {
  std::vector<std::string> tokens;
  while (!text.empty()) tokens.push_back(TakeToken(text, delimiters, Cp932()));
  return tokens;
}

TEST(LeadBytesTest, AsksThePlatformOnceForEachByte) {
  testing::TestMachine machine;
  struct Counting : platform::SystemWrapper {
    using SystemWrapper::SystemWrapper;
    bool IsDbcsLeadByte(unsigned char byte) override {
      ++calls;
      return target().IsDbcsLeadByte(byte);
    }
    int calls = 0;
  } system(machine.system());
  const LeadBytes lead(system);
  EXPECT_EQ(system.calls, 256);
  const LeadBytes cp932 = Cp932();
  for (int b = 0; b < 256; ++b)
    EXPECT_EQ(lead.IsLead(static_cast<unsigned char>(b)),
              cp932.IsLead(static_cast<unsigned char>(b)))
        << b;
  std::string text = "ソ,x";
  EXPECT_EQ(TakeToken(text, ",", lead), "ソ");
  EXPECT_EQ(system.calls, 256);
}

TEST(IsTrailByteTest, ClassifiesBytesOfDoubleByteCharacters) {
  const LeadBytes lead = Cp932();
  const std::string so = "ソ";  // 83 5C
  ASSERT_EQ(so, "\x83\x5C");
  EXPECT_FALSE(IsTrailByte(so, 1, lead));
  EXPECT_TRUE(IsTrailByte(so, 2, lead));

  // 0x81 is a lead byte and also a trail byte: runs of lead bytes pair off.
  const std::string run = "\x81\x81\x81\x40";  // [81 81][81 40]
  EXPECT_FALSE(IsTrailByte(run, 1, lead));
  EXPECT_TRUE(IsTrailByte(run, 2, lead));
  EXPECT_FALSE(IsTrailByte(run, 3, lead));
  EXPECT_TRUE(IsTrailByte(run, 4, lead));
  const std::string afterPair = "\x83\x81\x40";  // [83 81] '@'
  EXPECT_FALSE(IsTrailByte(afterPair, 3, lead));

  // Half-width katakana (0xA1-0xDF) are single bytes.
  EXPECT_FALSE(IsTrailByte("\xB1\x5C", 2, lead));
}

TEST(IsTrailByteTest, PositionOutsideTheTextIsIllegal) {
  const LeadBytes lead = Cp932();
  for (std::ptrdiff_t position : {-1, 0, 3}) {
    try {
      IsTrailByte("ab", position, lead);
      ADD_FAILURE() << "no error for position " << position;
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), "Illegal Index");
    }
  }
  EXPECT_THROW(IsTrailByte("", 1, lead), Exception);
}

TEST(TakeTokenTest, SplitsAtTheFirstDelimiter) {
  const LeadBytes lead = Cp932();
  std::string text = "a,b";
  EXPECT_EQ(TakeToken(text, ",", lead), "a");
  EXPECT_EQ(text, "b");
  EXPECT_EQ(TakeToken(text, ",", lead), "b");
  EXPECT_EQ(text, "");
  EXPECT_EQ(TakeToken(text, ",", lead), "");
  EXPECT_EQ(text, "");

  text = ",b";
  EXPECT_EQ(TakeToken(text, ",", lead), "");
  EXPECT_EQ(text, "b");

  text = "a;b,c";
  EXPECT_EQ(TakeToken(text, ",;", lead), "a");
  EXPECT_EQ(text, "b,c");

  text = "a,b";
  EXPECT_EQ(TakeToken(text, "", lead), "a,b");
  EXPECT_EQ(text, "");
}

TEST(TakeTokenTest, CollectingTokensKeepsEmptyOnesButNoTrailingOne) {
  EXPECT_EQ(AllTokens("192.168.0.1,192.168.0.254", ","),
            (std::vector<std::string>{"192.168.0.1", "192.168.0.254"}));
  EXPECT_EQ(AllTokens("a,,b,", ","), (std::vector<std::string>{"a", "", "b"}));
}

TEST(TakeTokenTest, NeverSplitsInsideADoubleByteCharacter) {
  // The trail byte of ソ is the backslash.
  EXPECT_EQ(AllTokens("C:\\ソフト\\ソ\\x", "\\"),
            (std::vector<std::string>{"C:", "ソフト", "ソ", "x"}));
  // Trail bytes 0x40 '@' and 0x7C '|' are no delimiters either.
  EXPECT_EQ(AllTokens("\x83\x40@\x83\x7C|z", "@|"),
            (std::vector<std::string>{"\x83\x40", "\x83\x7C", "z"}));
  // A lone lead byte at the end is a character of its own.
  EXPECT_EQ(AllTokens("a,\x83", ","), (std::vector<std::string>{"a", "\x83"}));
}

TEST(TrimTest, RemovesAsciiAndIdeographicBlanksAtBothEnds) {
  const LeadBytes lead = Cp932();
  EXPECT_EQ(TrimBlanks(" \x81\x40 a b\x81\x40"
                       "c \x81\x40  ",
                       lead),
            "a b\x81\x40"
            "c");
  EXPECT_EQ(TrimBlanks("\x81\x40 \x81\x40 ", lead), "");
  EXPECT_EQ(TrimBlanks("", lead), "");
  EXPECT_EQ(TrimBlanks("ソ", lead), "ソ");

  std::string text = "  x  ";
  TrimLeadingBlanks(text);
  EXPECT_EQ(text, "x  ");
  TrimTrailingBlanks(text, lead);
  EXPECT_EQ(text, "x");
}

TEST(TrimTest, KeepsDoubleByteCharactersWhoseTrailByteLooksLikeABlank) {
  const LeadBytes lead = Cp932();
  // 83 40 (small katakana a) ends in 0x40 but is no blank.
  EXPECT_EQ(TrimBlanks("\x83\x40", lead), "\x83\x40");
  EXPECT_EQ(TrimBlanks("x\x83\x40\x81\x40", lead), "x\x83\x40");
  // [83 81] '@': the 81 40 at the end is not an ideographic space.
  EXPECT_EQ(TrimBlanks("\x83\x81\x40", lead), "\x83\x81\x40");
  // [88 20]: a trail byte 0x20 is not an ASCII blank.
  EXPECT_EQ(TrimBlanks("\x88\x20", lead), "\x88\x20");
}

TEST(TrimTest, TextEndingInALoneLeadByte) {
  const LeadBytes lead = Cp932();
  EXPECT_EQ(TrimBlanks("\x81", lead), "\x81");
  EXPECT_EQ(TrimBlanks(" a \x81", lead), "a \x81");
  std::string text("\x81");
  TrimLeadingBlanks(text);
  EXPECT_EQ(text, "\x81");
}

// The forward walks of TakeToken and TrimTrailingBlanks give what the
// position-by-position definitions on IsTrailByte give, on texts full of
// bytes that are lead bytes, trail bytes and blanks at once.
TEST(DbcsWalkTest, AgreesWithTheTrailByteDefinition) {
  const LeadBytes lead = Cp932();
  const std::string alphabet = "\x81\x83\x40\x5C\x20,a\xB1";
  std::mt19937 random(932);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    int length = static_cast<int>(random() % 9);
    for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
    std::string delimiters = round % 2 ? "," : "\\@";

    std::string fast = text;
    std::string reference = text;
    ASSERT_EQ(TakeToken(fast, delimiters, lead), ReferenceTakeToken(reference, delimiters, lead))
        << ::testing::PrintToString(text);
    ASSERT_EQ(fast, reference);

    fast = text;
    reference = text;
    TrimTrailingBlanks(fast, lead);
    ReferenceTrimTrailing(reference, lead);
    ASSERT_EQ(fast, reference) << ::testing::PrintToString(text);
  }
}

TEST(SplitAtSeparatorTest, SplitsOnlyAtCharacterBoundaries) {
  const LeadBytes lead = Cp932();
  std::string text = "key=value=x";
  std::string head;
  EXPECT_TRUE(SplitAtSeparator(text, head, "=", lead));
  EXPECT_EQ(head, "key");
  EXPECT_EQ(text, "value=x");

  text = "ソ\\a";  // 83 5C 5C 61: only the second backslash separates
  EXPECT_TRUE(SplitAtSeparator(text, head, "\\", lead));
  EXPECT_EQ(head, "ソ");
  EXPECT_EQ(text, "a");

  text = "a::b";  // the whole separator goes
  EXPECT_TRUE(SplitAtSeparator(text, head, "::", lead));
  EXPECT_EQ(head, "a");
  EXPECT_EQ(text, "b");
}

TEST(SplitAtSeparatorTest, MissingSeparatorLeavesTheText) {
  const LeadBytes lead = Cp932();
  std::string text = "ソフト";
  std::string head = "old";
  EXPECT_FALSE(SplitAtSeparator(text, head, "\\", lead));
  EXPECT_EQ(head, "ソフト");
  EXPECT_EQ(text, "ソフト");
  EXPECT_FALSE(SplitAtSeparator(text, head, "", lead));
  EXPECT_EQ(text, "ソフト");
}

TEST(SameTextIgnoringCaseTest, FoldsLettersButNeverTrailBytes) {
  const LeadBytes lead = Cp932();
  EXPECT_TRUE(SameTextIgnoringCase("Net", "NET", lead));
  EXPECT_TRUE(SameTextIgnoringCase("", "", lead));
  EXPECT_FALSE(SameTextIgnoringCase("Net", "Nets", lead));
  EXPECT_FALSE(SameTextIgnoringCase("Net", "Nat", lead));
  // ア (83 41) and ャ (83 61) differ only in a trail byte that looks like A/a.
  EXPECT_FALSE(SameTextIgnoringCase("ア", "ャ", lead));
  EXPECT_TRUE(SameTextIgnoringCase("ＮＥＴ", "ｎｅｔ", lead));
  EXPECT_TRUE(SameTextIgnoringCase("ΑΩ", "αω", lead));
  EXPECT_TRUE(SameTextIgnoringCase("АНОЯ", "аноя", lead));  // across the 847F gap
  EXPECT_TRUE(SameTextIgnoringCase("Microsoft ﾈｯﾄﾜｰｸ", "MICROSOFT ﾈｯﾄﾜｰｸ", lead));
  EXPECT_FALSE(SameTextIgnoringCase("ﾈｯﾄ", "ﾈｯﾊ", lead));
}

}  // namespace
}  // namespace zuba::system
