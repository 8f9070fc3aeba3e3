#include "app/zubanet/Wininit.h"

#include <gtest/gtest.h>

#include "testing/TempMachine.h"

namespace zuba::app {
namespace {

TEST(WininitTest, AddsTheEntryToTheRenameSectionOnce) {
  const struct {
    const char* before;  // nullptr: no WININIT.INI
    const char* after;
  } cases[] = {
      {nullptr, "[rename]\r\nNUL=C:\\ZUBANET\\ZUBANET.EXE\r\n"},
      {"[Other]\r\na=b\r\n", "[Other]\r\na=b\r\n[rename]\r\nNUL=C:\\ZUBANET\\ZUBANET.EXE\r\n"},
      {"[RENAME]\r\nNUL=C:\\A.TXT\r\n\r\n[Other]\r\n",
       "[RENAME]\r\nNUL=C:\\A.TXT\r\nNUL=C:\\ZUBANET\\ZUBANET.EXE\r\n\r\n[Other]\r\n"},
      {"[rename]\r\nnul=c:\\zubanet\\zubanet.exe\r\n", "[rename]\r\nnul=c:\\zubanet\\zubanet.exe\r\n"},
  };
  for (const auto& c : cases) {
    testing::TempMachine machine;
    if (c.before != nullptr) {
      ASSERT_TRUE(machine.files().WriteBytes("C:\\WINDOWS\\WININIT.INI", c.before));
    }
    EXPECT_TRUE(RemoveAtNextStart(machine.files(), "C:\\ZUBANET\\ZUBANET.EXE"));
    std::string after;
    ASSERT_TRUE(machine.files().ReadBytes("C:\\WINDOWS\\WININIT.INI", &after));
    EXPECT_EQ(after, c.after) << (c.before ? c.before : "(no file)");
  }
}

}  // namespace
}  // namespace zuba::app
