#include "frontend/qt/QtText.h"

#include <gtest/gtest.h>

#include "toolkit/Cp932Text.h"

namespace zuba::qt {
namespace {

const QChar kReplacement(QChar::ReplacementCharacter);

// Every single character code page 932 can spell: single bytes, and every
// lead byte with every trail byte.
std::vector<std::string> EveryCharacter() {
  std::vector<std::string> all;
  for (int b = 0x20; b <= 0xFF; ++b) {
    if (!toolkit::IsCp932LeadByte(static_cast<unsigned char>(b))) {
      all.push_back(std::string(1, static_cast<char>(b)));
    }
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (!toolkit::IsCp932LeadByte(static_cast<unsigned char>(lead))) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (trail == 0x7F) continue;
      all.push_back(std::string{static_cast<char>(lead), static_cast<char>(trail)});
    }
  }
  return all;
}

TEST(QtTextTest, EveryCharacterAUserCanTypeRoundTrips) {
  int defined = 0;
  for (const std::string& c : EveryCharacter()) {
    QString shown = ToQt(c);
    ASSERT_EQ(shown.size(), 1) << std::hex << int(static_cast<unsigned char>(c[0]));
    if (shown[0] == kReplacement) continue;
    ++defined;
    // Typed in Qt, the character becomes CP932 and shows as itself again.
    std::string typed;
    ASSERT_TRUE(FromQt(shown, &typed));
    EXPECT_EQ(ToQt(typed), shown);
    // Typing after it keeps its own bytes, also where CP932 has two codes
    // for one character (NEC and IBM extensions).
    std::string edited;
    ASSERT_TRUE(FromQtEdit(c, shown + "a", &edited));
    EXPECT_EQ(edited, c + "a");
  }
  EXPECT_GT(defined, 7000);
}

TEST(QtTextTest, BytesCp932DoesNotDefineShowAsReplacementsAndSurviveEdits) {
  std::string text = std::string("A\x80", 2) + "ソ" + std::string("\xFC\x20", 2);
  QString shown = ToQt(text);
  ASSERT_EQ(shown.size(), 4);  // A, 0x80, ソ, and 0xFC 0x20 as one character
  EXPECT_EQ(shown[1], kReplacement);
  EXPECT_EQ(shown[3], kReplacement);
  std::string edited;
  ASSERT_TRUE(FromQtEdit(text, QString(shown).insert(3, QLatin1Char('x')), &edited));
  EXPECT_EQ(edited, std::string("A\x80", 2) + "ソx" + std::string("\xFC\x20", 2));
  // Deleting a replacement removes exactly its bytes.
  ASSERT_TRUE(FromQtEdit(text, QString(shown).remove(1, 1), &edited));
  EXPECT_EQ(edited, "Aソ" + std::string("\xFC\x20", 2));
  // A lone lead byte at the end is a character of its own.
  EXPECT_EQ(ToQt(std::string("a\x81", 2)).size(), 2);
  // A replacement typed anew has no bytes to stand for.
  EXPECT_FALSE(FromQt(QString(kReplacement), &edited));
}

TEST(QtTextTest, CharactersWithoutACp932CodeAreRefusedNotMangled) {
  std::string text = "keep";
  EXPECT_FALSE(FromQt(QString::fromUtf8("\xE2\x82\xAC"), &text));       // the euro sign
  EXPECT_FALSE(FromQt(QString::fromUtf8("a\xF0\x9F\x98\x80"), &text));  // an emoji
  EXPECT_FALSE(FromQtEdit("ab",
                          QString::fromUtf8("a\xC3\xA9"
                                            "b"),
                          &text));  // é
  EXPECT_EQ(text, "keep");
  ASSERT_TRUE(FromQtEdit("ab",
                         QString::fromUtf8("a\xE3\x82\xBD"
                                           "b"),
                         &text));  // ソ
  EXPECT_EQ(text, "aソb");
}

TEST(QtTextTest, LineBreaksAreDrawnAsQtDrawsThem) {
  EXPECT_EQ(QtLineBreaks(ToQt("a\r\nb\nc\rd\r\n\r\n")), QString("a\nb\nc\nd\n\n"));
}

}  // namespace
}  // namespace zuba::qt
