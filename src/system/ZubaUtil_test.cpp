#include "system/ZubaUtil.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <string>
#include <vector>

#include "platform/sim/MachineConfig.h"
#include "testing/TempMachine.h"

namespace zuba::system {
namespace {

using platform::OsVersion;
using platform::sim::OsKind;

// Answers the version query with a fixed record, or fails it.
class VersionSystem : public platform::SystemWrapper {
 public:
  using SystemWrapper::SystemWrapper;
  bool GetVersion(OsVersion* version) override {
    ++queries;
    if (fail) return false;
    *version = answer;
    return true;
  }
  OsVersion answer;
  bool fail = false;
  int queries = 0;
};

OsVersion Version(std::uint32_t platformId, std::uint32_t major, std::uint32_t minor,
                  std::uint32_t build) {
  OsVersion v;
  v.platformId = platformId;
  v.major = major;
  v.minor = minor;
  v.build = build;
  return v;
}

TEST(GetOSNameTest, TellsTheSimulatedSystemsApart) {
  struct Case {
    OsKind os;
    const char* name;
  };
  for (const Case& c :
       {Case{OsKind::kWin95, "Win95"}, Case{OsKind::kWin98, "Win98"}, Case{OsKind::kNt, "WinNT"}}) {
    testing::TempMachine machine(c.os);
    OsNameInfo info;
    ASSERT_TRUE(GetOSName(machine.system(), info));
    EXPECT_EQ(info.name, c.name);
    EXPECT_EQ(IsWin98Mode(false, machine.system()), c.os == OsKind::kWin98);
  }
  testing::TempMachine win98;
  OsNameInfo info;
  ASSERT_TRUE(GetOSName(win98.system(), info));
  EXPECT_EQ(info.major, 4u);
  EXPECT_EQ(info.minor, 10u);
  EXPECT_EQ(info.build, 2222u);
}

// The start-up gate as a machine edited by hand sees it: machine.ini gives
// the version numbers, the simulated platform composes the build number.
TEST(GetOSNameTest, FollowsTheVersionInMachineIni) {
  testing::TempMachine machine;
  platform::sim::MachineConfig config(machine.directory());
  struct Case {
    const char* minor;
    const char* build;
    const char* name;
  };
  for (const Case& c : {Case{"10", "1997", "Win95"}, Case{"10", "1998", "Win98"},
                        Case{"0", "950", "Win95"}, Case{"90", "3000", "Win98"}}) {
    ASSERT_TRUE(config.Set("Version", "Minor", c.minor));
    ASSERT_TRUE(config.Set("Version", "Build", c.build));
    machine.Reopen();
    OsNameInfo info;
    ASSERT_TRUE(GetOSName(machine.system(), info));
    EXPECT_EQ(info.name, c.name) << c.minor << "." << c.build;
    EXPECT_EQ(std::to_string(info.build), c.build);
  }
  ASSERT_TRUE(config.Set("Fail", "GetVersionEx", "87"));
  machine.Reopen();
  OsNameInfo info;
  EXPECT_FALSE(GetOSName(machine.system(), info));
  EXPECT_EQ(info.name, "");
}

TEST(GetOSNameTest, ClassifiesByPlatformMinorVersionAndBuild) {
  testing::TempMachine machine;
  VersionSystem system(machine.system());
  struct Case {
    OsVersion version;
    const char* name;
    std::uint32_t build;
  };
  // Windows 9x keeps major and minor in the high word of the build number.
  const Case cases[] = {
      {Version(1, 4, 0, 0x040003B6), "Win95", 950},    // 95
      {Version(1, 4, 0, 0x04000457), "Win95", 1111},   // 95 OSR2
      {Version(1, 4, 10, 0x040A07CD), "Win95", 1997},  // a 4.10 build before 98
      {Version(1, 4, 10, 0x040A07CE), "Win98", 1998},  // 98
      {Version(1, 4, 10, 0x040A08AE), "Win98", 2222},  // 98 SE
      {Version(1, 4, 90, 0x045A0BB8), "Win98", 3000},  // 4.90
      {Version(1, 4, 3, 0x040304BE), "Win95", 1214},   // minor below 10, build over 1998
      {Version(2, 4, 0, 1381), "WinNT", 1381},
      {Version(2, 5, 1, 2600), "WinNT", 2600},
      {Version(0, 3, 10, 0), "Win32s", 0},
  };
  for (const Case& c : cases) {
    system.answer = c.version;
    OsNameInfo info;
    ASSERT_TRUE(GetOSName(system, info));
    EXPECT_EQ(info.name, c.name) << c.version.minor << "." << c.build;
    EXPECT_EQ(info.major, c.version.major);
    EXPECT_EQ(info.minor, c.version.minor);
    EXPECT_EQ(info.build, c.build);
    EXPECT_EQ(IsWin98Mode(false, system), info.name == "Win98");
  }
}

TEST(GetOSNameTest, FailureOrUnknownPlatformKeepsTheName) {
  testing::TempMachine machine;
  VersionSystem system(machine.system());
  OsNameInfo info;
  info.name = "before";
  info.build = 7;

  system.fail = true;
  EXPECT_FALSE(GetOSName(system, info));
  EXPECT_EQ(info.name, "before");
  EXPECT_EQ(info.build, 7u);
  EXPECT_FALSE(IsWin98Mode(false, system));

  system.fail = false;
  system.answer = Version(3, 5, 0, 42);
  EXPECT_TRUE(GetOSName(system, info));
  EXPECT_EQ(info.name, "before");
  EXPECT_EQ(info.build, 42u);
}

TEST(IsWin98ModeTest, ForceHoldsEverywhereWithoutAskingTheSystem) {
  testing::TempMachine machine(OsKind::kNt);
  VersionSystem system(machine.system());
  system.answer = Version(2, 4, 0, 1381);
  EXPECT_TRUE(IsWin98Mode(true, system));
  EXPECT_EQ(system.queries, 0);
  EXPECT_FALSE(IsWin98Mode(false, system));
}

TEST(GetWindowsDirTest, AppendsABackslashExceptToADriveRoot) {
  testing::TempMachine machine;
  EXPECT_EQ(GetWindowsDir(machine.files()), "C:\\WINDOWS\\");

  struct FixedDir : platform::FilesWrapper {
    using FilesWrapper::FilesWrapper;
    std::string WindowsDirectory() override { return dir; }
    std::string dir;
  } files(machine.files());
  files.dir = "X:\\WINDOWS";
  EXPECT_EQ(GetWindowsDir(files), "X:\\WINDOWS\\");
  files.dir = "X:\\";
  EXPECT_EQ(GetWindowsDir(files), "X:\\");
}

TEST(KeyStateTest, OnlyTheHighBitMeansDown) {
  testing::TempMachine machine;
  struct Keys : platform::SystemWrapper {
    using SystemWrapper::SystemWrapper;
    std::int16_t GetKeyState(int key) override {
      if (key == platform::kVkControl) return control;
      if (key == platform::kVkMenu) return alt;
      return 0;
    }
    std::int16_t control = 0;
    std::int16_t alt = 0;
  } keys(machine.system());
  keys.control = static_cast<std::int16_t>(0xFF80);  // down
  keys.alt = 1;                                      // toggled, not down
  EXPECT_TRUE(IsCtrlKeyDown(keys));
  EXPECT_FALSE(IsAltKeyDown(keys));
  keys.control = 0;
  keys.alt = static_cast<std::int16_t>(0x8001);
  EXPECT_FALSE(IsCtrlKeyDown(keys));
  EXPECT_TRUE(IsAltKeyDown(keys));
}

// Records when the messages were processed.
class RecordingShell : public AppShell {
 public:
  explicit RecordingShell(platform::System& clock) : clock_(clock) {}
  void ShowPlainMessage(const std::string&) override {}
  void ProcessMessages() override { rounds.push_back(clock_.GetTickCount()); }
  std::vector<std::uint32_t> rounds;

 private:
  platform::System& clock_;
};

// A clock that moves only when the program sleeps.
class SteppedClock : public platform::SystemWrapper {
 public:
  using SystemWrapper::SystemWrapper;
  std::uint32_t GetTickCount() override { return now; }
  void Sleep(std::uint32_t ms) override {
    sleeps.push_back(ms);
    now += ms;
  }
  std::uint32_t now = 0;
  std::vector<std::uint32_t> sleeps;
};

TEST(WaitProcessingMessagesTest, SleepsBetweenRoundsUntilTheTimeHasPassed) {
  testing::TempMachine machine;
  for (std::uint32_t start : {1000u, 0xFFFFFFF0u}) {  // also across the wrap of the tick count
    SteppedClock clock(machine.system());
    clock.now = start;
    RecordingShell shell(clock);
    WaitProcessingMessages(shell, clock, 100);
    EXPECT_EQ(clock.now - start, 100u);
    ASSERT_EQ(shell.rounds.size(), clock.sleeps.size() + 1);
    for (std::uint32_t ms : clock.sleeps) {
      EXPECT_GT(ms, 0u);
      EXPECT_LE(ms, 10u);
    }
  }
  SteppedClock clock(machine.system());
  RecordingShell shell(clock);
  WaitProcessingMessages(shell, clock, 0);
  EXPECT_EQ(shell.rounds.size(), 1u);
  EXPECT_TRUE(clock.sleeps.empty());
}

TEST(WaitProcessingMessagesTest, LeavesTheProcessorAloneAndStaysResponsive) {
  testing::TempMachine machine;
  RecordingShell shell(machine.system());
  const auto wallStart = std::chrono::steady_clock::now();
  const std::clock_t cpuStart = std::clock();
  WaitProcessingMessages(shell, machine.system(), 500);
  const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  const auto wallMs = std::chrono::duration_cast<std::chrono::milliseconds>(
                          std::chrono::steady_clock::now() - wallStart)
                          .count();
  EXPECT_GE(wallMs, 490);
  EXPECT_LT(cpuMs, 25.0);  // under 5% of one core
  for (std::size_t i = 1; i < shell.rounds.size(); ++i) {
    EXPECT_LT(shell.rounds[i] - shell.rounds[i - 1], 50u);
  }
}

TEST(IsBadAddressTest, AcceptsFourRunsOfDigitsOnly) {
  for (const char* good :
       {"999.999.999.999", "010.0.0.1", "192.168.0.1", "0.0.0.0", "1234567.1.1.1"}) {
    EXPECT_FALSE(IsBadAddress(good)) << good;
  }
  for (const char* bad :
       {"", "1.2.3", "1.2.3.4.5", "1..2.3", ".1.2.3", "1.2.3.", "1.2.3.4.", " 1.2.3.4", "1.2. 3.4",
        "1.2.3.4 ", "１.2.3.4", "a.b.c.d", "...", "1.2.3.-4", "1,2.3.4"}) {
    EXPECT_TRUE(IsBadAddress(bad)) << bad;
  }
}

}  // namespace
}  // namespace zuba::system
