#include "platform/ProfileSections.h"

#include <gtest/gtest.h>

#include <string>

namespace zuba::platform {
namespace {

// A section runs from its header line to the next header line; a "[" is a
// header only as the first character of its line after blanks, and the
// first of two sections whose names differ in case alone is the one found.
TEST(ProfileSectionsTest, ASectionRunsFromItsHeaderToTheNext) {
  const std::string text =
      "k=[a]\r\n"        // a value, no header
      " \t[ A ] x\r\n"   // 7: the section "A"
      "v=1\r"            // CR alone ends a line
      "\x83[b]\r\n"      // a trail byte "[" after a lead byte: no header
      "[a]\n"            // 28: a second "a", never reached
      "[c";              // 32: a header without "]", to the end (34)
  struct {
    const char* name;
    bool found;
    std::size_t begin, end;
  } const cases[] = {{"a", true, 7, 28}, {" A ", true, 7, 28}, {"c", true, 32, 34},
                     {"b", false, 0, 0}, {"", false, 0, 0},    {"x", false, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<SectionSpan> span = FindProfileSection(text, c.name);
    ASSERT_EQ(span.has_value(), c.found);
    if (!span) continue;
    EXPECT_EQ(span->begin, c.begin);
    EXPECT_EQ(span->end, c.end);
  }
}

}  // namespace
}  // namespace zuba::platform
