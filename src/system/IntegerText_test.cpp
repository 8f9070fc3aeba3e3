#include "system/IntegerText.h"

#include <gtest/gtest.h>

#include "system/Errors.h"

namespace zuba::system {
namespace {

TEST(TextToIntegerTest, SignedDecimalWithinThirtyTwoBits) {
  EXPECT_EQ(TextToInteger("0"), 0);
  EXPECT_EQ(TextToInteger("+17"), 17);
  EXPECT_EQ(TextToInteger("-0042"), -42);
  EXPECT_EQ(TextToInteger("2147483647"), 2147483647);
  EXPECT_EQ(TextToInteger("-2147483648"), -2147483647 - 1);
  for (const char* bad : {"", "-", "+", " 1", "1 ", "2147483648", "-2147483649",
                          "99999999999999999999", "0x10", "1e3", "１"}) {
    EXPECT_THROW(TextToInteger(bad), Exception) << bad;
  }
  try {
    TextToInteger("abc");
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "'abc' は整数ではありません");
  }
}

}  // namespace
}  // namespace zuba::system
