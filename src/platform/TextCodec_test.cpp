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

}  // namespace
}  // namespace zuba::platform
