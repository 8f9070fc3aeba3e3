#include "platform/TextCodec.h"

#include <gtest/gtest.h>

namespace zuba::platform {
namespace {

TEST(TextCodec, ConvertsBothWaysAndFlagsWhatItCannot) {
  // "ソ" is 83 5C in CP932; its trail byte is the backslash.
  EXPECT_EQ("\x83\x5C", std::string("ソ"));
  EXPECT_EQ(u8"ソ", Cp932ToUtf8("\x83\x5C"));
  bool exact = false;
  EXPECT_EQ("\x83\x5C", Utf8ToCp932(reinterpret_cast<const char*>(u8"ソ"), &exact));
  EXPECT_TRUE(exact);
  // A lone lead byte at the end is kept visible, not dropped.
  EXPECT_EQ("A\xEF\xBF\xBD", Cp932ToUtf8("A\x83", &exact));
  EXPECT_FALSE(exact);
  EXPECT_EQ("?", Utf8ToCp932("\xF0\x9F\x98\x80", &exact));  // an emoji
  EXPECT_FALSE(exact);
}

// Malformed UTF-8 is flagged, never taken for a character: one '?' for each
// sequence as far as it goes.
TEST(TextCodec, MalformedUtf8BecomesQuestionMarks) {
  const struct {
    const char* utf8;
    const char* cp932;
  } cases[] = {
      {"\xC1\xBF", "?"},              // an overlong '\x7F'
      {"\xE0\x80\xAF", "?"},          // an overlong '/'
      {"\xED\xA0\x80", "?"},          // a surrogate
      {"\xF4\x90\x80\x80", "?"},      // beyond U+10FFFF
      {"A\xE3\x82", "A?"},            // cut at the end
      {"\xE3\x82" "A", "?"},            // a continuation byte missing
      {"\x80z", "?z"},                // a continuation byte alone
      {"\xEF\xBD\xB1\xC2\xA7", "\xB1\x81\x98"},  // half-width katakana and a section sign
  };
  for (const auto& c : cases) {
    bool exact = true;
    const std::string cp932 = Utf8ToCp932(c.utf8, &exact);
    EXPECT_EQ(cp932, c.cp932) << c.utf8;
    EXPECT_EQ(exact, cp932.find('?') == std::string::npos) << c.utf8;
  }
  bool exact = true;
  EXPECT_EQ(Cp932ToUtf8("\xB1\x81\x40", &exact), "\xEF\xBD\xB1\xE3\x80\x80");
  EXPECT_TRUE(exact);
}

// Single bytes are the same characters both ways (a backslash stays one,
// not a yen sign), also in a text taken without the converter.
TEST(TextCodec, SingleBytesPassUnchanged) {
  std::string ascii;
  for (int c = 0; c < 0x80; ++c) ascii.push_back(static_cast<char>(c));
  for (const std::string& text : {ascii, std::string("C:\\WINDOWS ~"), std::string()}) {
    bool exact = false;
    EXPECT_EQ(text, Cp932ToUtf8(text, &exact));
    EXPECT_TRUE(exact);
    exact = false;
    EXPECT_EQ(text, Utf8ToCp932(text, &exact));
    EXPECT_TRUE(exact);
  }
  EXPECT_EQ(u8"\\ソ", Cp932ToUtf8("\\\x83\x5C"));  // the same text with one more character
}

}  // namespace
}  // namespace zuba::platform
