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
