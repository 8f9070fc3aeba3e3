#include "platform/sim/EventLog.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "testing/TempMachine.h"

namespace zuba::platform::sim {
namespace {

TEST(EventLogTest, EachEventIsOneUtf8Line) {
  testing::TempDir dir;
  EventLog log(dir.path());
  log.Append("started \"C:\\\x83\x5C.EXE\"");  // "ソ" in CP932
  log.Append("title\r\nsecond line\n");
  std::ifstream in(log.path(), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(),
            "started \"C:\\\xE3\x82\xBD.EXE\"\n"
            "title\\r\\nsecond line\\n\n");
}

}  // namespace
}  // namespace zuba::platform::sim
