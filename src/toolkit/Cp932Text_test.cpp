#include "toolkit/Cp932Text.h"

#include <gtest/gtest.h>

namespace zuba::toolkit {
namespace {

TEST(Cp932TextTest, AWrappingCaptionBreaksAtBlanksAndBetweenDoubleByteCharacters) {
  const std::pair<const char*, const char*> cases[] = {
      {"DHCPを使う", "DHCP\r\nを\r\n使\r\nう\r\n"},
      {"IE Proxy\r\nWINS", "IE\r\nProxy\r\nWINS\r\n"},
      // ポ is 83 7C: its trail byte is no word of its own.
      {"ポート", "ポ\r\nー\r\nト\r\n"},
      {"", ""},
  };
  for (const auto& [caption, words] : cases) EXPECT_EQ(UnbreakableWords(caption), words) << caption;
}

}  // namespace
}  // namespace zuba::toolkit
