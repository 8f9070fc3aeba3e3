#include "platform/sim/SimSystem.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/WinError.h"
#include "testing/TempMachine.h"

namespace zuba::platform::sim {
namespace {

using testing::TempMachine;

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(SimSystemTest, ReportsTheTemplatesVersionsAsGetVersionExA) {
  struct Case {
    OsKind os;
    std::uint32_t platform, major, minor, build;
    const char* csd;
  };
  for (const Case& c : {Case{OsKind::kWin98, 1, 4, 10, 0x040A08AE, " A "},
                        Case{OsKind::kWin95, 1, 4, 0, 0x040003B6, ""},
                        Case{OsKind::kNt, 2, 4, 0, 1381, "Service Pack 6"}}) {
    TempMachine machine(c.os);
    OsVersion v;
    ASSERT_TRUE(machine.system().GetVersion(&v));
    EXPECT_EQ(v.platformId, c.platform);
    EXPECT_EQ(v.major, c.major);
    EXPECT_EQ(v.minor, c.minor);
    EXPECT_EQ(v.build, c.build);
    EXPECT_EQ(v.csdVersion, c.csd);
  }
}

TEST(SimSystemTest, FollowsMachineIniWhileRunning) {
  TempMachine machine;
  System& system = machine.system();
  MachineConfig& config = *machine.machine().config;
  EXPECT_EQ(system.GetKeyState(kVkControl), 0);
  ASSERT_TRUE(config.Set("Keyboard", "Down", "ctrl, Shift"));
  EXPECT_LT(system.GetKeyState(kVkControl), 0);
  EXPECT_LT(system.GetKeyState(kVkShift), 0);
  EXPECT_EQ(system.GetKeyState(kVkMenu), 0);
  ASSERT_TRUE(config.Set("Keyboard", "Down", "Alt,0x0D"));
  EXPECT_EQ(system.GetKeyState(kVkControl), 0);
  EXPECT_LT(system.GetKeyState(kVkMenu), 0);
  EXPECT_LT(system.GetKeyState(kVkReturn), 0);

  ASSERT_TRUE(config.Set("Version", "Build", "1998"));
  OsVersion v;
  ASSERT_TRUE(system.GetVersion(&v));
  EXPECT_EQ(v.build, 0x040A07CEu);
  ASSERT_TRUE(config.Set("Fail", "GetVersionEx", "87"));
  EXPECT_FALSE(system.GetVersion(&v));
  EXPECT_EQ(system.LastError(), static_cast<std::uint32_t>(kErrorInvalidParameter));

  std::uint32_t before = system.GetTickCount();
  system.Sleep(20);
  std::uint32_t after = system.GetTickCount();
  EXPECT_GE(after - before, 20u);
  EXPECT_LT(after - before, 2000u);
  ASSERT_TRUE(config.Set("Clock", "TickOffset", "0x80000000"));
  EXPECT_GE(system.GetTickCount() - after - 0x80000000u, 0u);
  EXPECT_LT(system.GetTickCount() - after - 0x80000000u, 2000u);
}

// Counts the opens of one file of a directory (inotify, which also sees
// the file replaced by a rename). Opens that follow each other unread count
// as one, so the count is read after every call watched.
class OpenCounter {
 public:
  OpenCounter(const std::string& directory, std::string name)
      : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), name_(std::move(name)) {
    inotify_add_watch(fd_, directory.c_str(), IN_OPEN);
  }
  ~OpenCounter() { close(fd_); }
  int Count() {
    alignas(inotify_event) char buffer[4096];
    for (ssize_t n; (n = read(fd_, buffer, sizeof buffer)) > 0;) {
      for (char* p = buffer; p < buffer + n;) {
        const auto* event = reinterpret_cast<const inotify_event*>(p);
        if (event->len > 0 && name_ == event->name) ++opens_;
        p += sizeof(inotify_event) + event->len;
      }
    }
    return opens_;
  }

 private:
  int fd_;
  std::string name_;
  int opens_ = 0;
};

// The clock is asked very often (every round of a wait): machine.ini is
// parsed again only when it really changed, also right after it was
// written, and a change is still seen at once.
TEST(SimSystemTest, TheClockReadsMachineIniOnlyWhenItChanges) {
  TempMachine machine;  // machine.ini was just written
  System& system = machine.system();
  OpenCounter opens(machine.directory(), "machine.ini");
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
  int calls = 0;
  for (; std::chrono::steady_clock::now() < end; ++calls) {
    system.GetTickCount();
    opens.Count();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  EXPECT_GT(calls, 100);
  // Only while it settles (a few milliseconds of the kernel's clock) and
  // once after.
  EXPECT_LE(opens.Count(), 20) << calls;

  const std::uint32_t before = system.GetTickCount();
  ASSERT_TRUE(machine.machine().config->Set("Clock", "TickOffset", "100000"));
  EXPECT_GE(system.GetTickCount() - before, 100000u);
  // A hand edit in place, of the same size, right after the last change.
  std::string text = ReadText(machine.HostPath("machine.ini"));
  text.replace(text.find("TickOffset=100000"), 17, "TickOffset=200000");
  std::ofstream(machine.HostPath("machine.ini"), std::ios::binary | std::ios::trunc) << text;
  EXPECT_GE(system.GetTickCount() - before, 200000u);
}

TEST(SimSystemTest, TheVersionResourceIsNotSimulatedYet) {
  TempMachine machine;
  std::string block;
  EXPECT_FALSE(machine.system().ReadOwnVersionInfo(&block));
}

}  // namespace
}  // namespace zuba::platform::sim
