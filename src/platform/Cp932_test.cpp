#include "platform/Cp932.h"

#include <gtest/gtest.h>

namespace zuba::platform {
namespace {

// A byte is found only as a character of its own: never as the trail byte
// of a double-byte character, whichever position the search starts from.
TEST(Cp932Test, FindsACharacterNotATrailByte) {
  struct Case {
    const char* text;
    char c;
    std::size_t from;
    std::size_t expected;
  };
  constexpr std::size_t npos = std::string_view::npos;
  const Case cases[] = {
      {"[Sec]", ']', 0, 4},
      {"a=b=c", '=', 2, 3},
      {"a=b", '=', 2, npos},
      {"\x83]]", ']', 0, 2},            // 83 5D is one character
      {"\x83]]", ']', 1, 2},            // also when the search starts inside it
      {"\x83\x5C\\", '\\', 0, 2},       // the trail byte 5C is no backslash
      {"x\x83", '\x83', 0, 1},          // a lead byte at the very end stands alone
      {"\x81\x81=", '=', 0, 2},
      {"a]\x83]", ']', 0, 1},           // single bytes before the first
      {"ab]\x83]]", ']', 3, 5},         // a lead byte before the plain search's hit
      {"", '=', 0, npos},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindCp932(c.text, c.c, c.from), c.expected) << c.text << " from " << c.from;
  }
}

}  // namespace
}  // namespace zuba::platform
