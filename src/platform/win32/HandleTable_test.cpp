#include "platform/win32/HandleTable.h"

#include <gtest/gtest.h>

namespace zuba::platform::win32 {
namespace {

TEST(HandleTableTest, NumbersAreNeverZeroNorReusedAtOnce) {
  HandleTable<void*> table;
  int a, b;
  const std::uint32_t first = table.Add(&a);
  const std::uint32_t second = table.Add(&b);
  EXPECT_NE(first, 0u);
  EXPECT_NE(first, second);
  void* native = nullptr;
  ASSERT_TRUE(table.Remove(first, &native));
  EXPECT_EQ(native, &a);
  EXPECT_FALSE(table.Find(first, &native));  // a closed handle stays closed
  EXPECT_FALSE(table.Remove(first, &native));
  const std::uint32_t third = table.Add(&a);
  EXPECT_NE(third, first);
  ASSERT_TRUE(table.Find(second, &native));
  EXPECT_EQ(native, &b);
}

TEST(HandleTableTest, NumbersStayBelowThePredefinedRootsAndReleaseAll) {
  HandleTable<int> table;
  for (int i = 0; i < 1000; ++i) EXPECT_LT(table.Add(i), 0x80000000u);
  int released = 0;
  table.ReleaseAll([&released](int) { ++released; });
  EXPECT_EQ(released, 1000);
  EXPECT_EQ(table.size(), 0u);
}

}  // namespace
}  // namespace zuba::platform::win32
