// The rest of Windows 9x the program calls, run against every
// implementation of the seam (testing/ConformanceTarget.h). The machine is
// a Japanese Windows 98 SE, or under Wine one run's Windows 95.
#include <gtest/gtest.h>

#include "platform/Cp932.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "platform/WinError.h"
#include "testing/ConformanceTarget.h"

namespace zuba::platform {
namespace {

class SystemConformance : public ::testing::Test {
 protected:
  System& s() { return target_->system(); }
  std::unique_ptr<testing::ConformanceTarget> target_ = testing::OpenConformanceTarget();
};

TEST_F(SystemConformance, TheVersionIsThatOfTheMachinesWindows) {
  const bool win95 = target_->machine() == testing::Template::kWin95;
  OsVersion v;
  ASSERT_TRUE(s().GetVersion(&v));
  EXPECT_EQ(v.platformId, 1u);
  EXPECT_EQ(v.major, 4u);
  EXPECT_EQ(v.minor, win95 ? 0u : 10u);
  EXPECT_EQ(v.build & 0xFFFF, win95 ? 950u : 2222u);
  EXPECT_EQ(v.csdVersion, win95 ? "" : " A ");
}

TEST_F(SystemConformance, TheBuildsHighWordHoldsMajorAndMinor) {
  OsVersion v;
  ASSERT_TRUE(s().GetVersion(&v));
  EXPECT_EQ(v.build >> 16, (v.major << 8) | v.minor);
}

TEST_F(SystemConformance, TheLeadBytesAreThoseOfCodePage932) {
  for (int b = 0; b < 256; ++b) {
    const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    EXPECT_EQ(s().IsDbcsLeadByte(static_cast<unsigned char>(b)), lead) << b;
  }
}

TEST_F(SystemConformance, KeysNotHeldDownReadAsUp) {
  for (int key : {kVkControl, kVkMenu, kVkShift, kVkReturn})
    EXPECT_GE(s().GetKeyState(key), 0) << key;
}

TEST_F(SystemConformance, TheTickCountFollowsASleep) {
  const std::uint32_t before = s().GetTickCount();
  s().Sleep(100);
  const std::uint32_t passed = s().GetTickCount() - before;
  EXPECT_GE(passed, 60u);  // the tick moves in steps (Windows 9x: 55 ms)
  EXPECT_LT(passed, 5000u);
}

TEST_F(SystemConformance, AProgramThatIsNotThereDoesNotStart) {
  EXPECT_EQ(s().StartProcess("\"" + target_->directory() + "\\NONE.EXE\"", "", 0, 1), 0u);
  EXPECT_EQ(s().LastError(), static_cast<std::uint32_t>(kErrorFileNotFound));
}

TEST_F(SystemConformance, AProgramStartsRunsAndEnds) {
  // The program itself, asked to run no test (the simulated machine's stand-in
  // ends at once).
  const std::string program = target_->files().ProgramPath();
  ProcessHandle process =
      s().StartProcess("\"" + program + "\" --gtest_filter=-*", target_->directory(), 0, 0);
  ASSERT_NE(process, 0u) << s().LastError();
  EXPECT_EQ(s().WaitProcess(process, 30000), static_cast<std::uint32_t>(kWaitObject0));
  EXPECT_TRUE(s().CloseProcess(process));
}

TEST_F(SystemConformance, AWorkingDirectoryThatIsNotThereIsRefused) {
  const std::string program = target_->files().ProgramPath();
  EXPECT_EQ(s().StartProcess("\"" + program + "\" --gtest_filter=-*",
                             target_->directory() + "\\nodir", 0, 0),
            0u);
  EXPECT_EQ(s().LastError(), static_cast<std::uint32_t>(kErrorDirectory));
}

TEST_F(SystemConformance, AProcessHandleThatIsNoneFails) {
  EXPECT_EQ(s().WaitProcess(0x4321, 0), static_cast<std::uint32_t>(kWaitFailed));
  EXPECT_EQ(s().LastError(), static_cast<std::uint32_t>(kErrorInvalidHandle));
  EXPECT_FALSE(s().CloseProcess(0x4321));
}

TEST_F(SystemConformance, AWindowThatIsNotThereIsNotFound) {
  EXPECT_EQ(s().FindTopLevelWindow("ZubaNet conformance: no such window"), 0u);
}

TEST_F(SystemConformance, AKeyCannotBePostedToNoWindow) {
  EXPECT_FALSE(s().PostKeyDown(0x7654, kVkReturn, 0x001C0001));
  EXPECT_EQ(s().LastError(), static_cast<std::uint32_t>(kErrorInvalidWindowHandle));
}

TEST_F(SystemConformance, TheWinIniBroadcastReturns) {
  const std::uint32_t before = s().GetTickCount();
  s().BroadcastWinIniChange("windows");
  EXPECT_LT(s().GetTickCount() - before, 10000u);  // a window that does not answer is not waited for
}

TEST_F(SystemConformance, TheTokenCallsAreNotImplemented) {
  if (target_->IsWine()) GTEST_SKIP() << "Wine has the security calls of Windows NT in any version";
  std::uint32_t token = 0;
  EXPECT_FALSE(s().OpenProcessToken(0x28, &token));
  EXPECT_EQ(s().LastError(), static_cast<std::uint32_t>(kErrorCallNotImplemented));
}

// A named mutex has one owner among the processes at a time: a peer
// process times out on it while the test owns it, and owns it once the
// test lets go; a release by a non-owner fails.
TEST_F(SystemConformance, ANamedMutexHasOneOwnerAmongProcessesAtATime) {
  const std::string name = "ZubaNet.Conformance.Mutex";
  const std::string timedOut = target_->directory() + "\\timed-out";
  const MutexHandle mutex = s().OpenNamedMutex(name);
  ASSERT_NE(mutex, 0u);
  if (testing::PeerNumber() > 0) {
    EXPECT_EQ(s().WaitMutex(mutex, 50), kWaitTimeout);
    EXPECT_FALSE(s().ReleaseMutex(mutex));
    EXPECT_EQ(s().LastError(), kErrorNotOwner);
    ASSERT_TRUE(target_->files().WriteBytes(timedOut, "1"));
    EXPECT_EQ(s().WaitMutex(mutex, 10000), kWaitObject0);
    EXPECT_TRUE(s().ReleaseMutex(mutex));
    EXPECT_TRUE(s().CloseMutex(mutex));
    return;
  }
  ASSERT_EQ(s().WaitMutex(mutex, 0), kWaitObject0);
  auto peer = target_->StartPeer(testing::CurrentTestName(), 1);
  for (int wait = 0; wait < 1000 && target_->files().GetAttributes(timedOut) == kInvalidAttributes;
       ++wait) {
    s().Sleep(10);
  }
  EXPECT_TRUE(s().ReleaseMutex(mutex));
  EXPECT_TRUE(peer->Wait());
  EXPECT_EQ(s().WaitMutex(mutex, 0), kWaitObject0);  // free again: the peer released it
  EXPECT_TRUE(s().ReleaseMutex(mutex));
  EXPECT_TRUE(s().CloseMutex(mutex));
}

TEST_F(SystemConformance, TheShellNamesItsFoldersAsDirectoriesThatAreThere) {
  for (ShellFolder folder : {kCsidlDesktopDirectory, kCsidlPrograms}) {
    std::string path;
    ASSERT_TRUE(s().GetSpecialFolder(folder, &path)) << folder;
    ASSERT_GT(path.size(), 3u) << folder;
    EXPECT_NE(path.back(), '\\') << path;
    const std::uint32_t attributes = target_->files().GetAttributes(path);
    ASSERT_NE(attributes, kInvalidAttributes) << path;
    EXPECT_NE(attributes & kAttrDirectory, 0u) << path;
  }
}

// A shortcut reads back as it was written, a second write replacing the
// first; what is no shortcut, or where no folder is, fails.
TEST_F(SystemConformance, AShortcutReadsBackAsWritten) {
  const std::string program = target_->files().ProgramPath();
  const std::string path = target_->directory() + "\\自宅 LAN.lnk";
  const ShellLink links[] = {
      {program, "\"自宅 LAN\" /c", target_->directory(), "【自宅 LAN】に切り替えます"},
      {program, "\"Office\"", "", ""},
  };
  for (const ShellLink& link : links) {
    ASSERT_TRUE(s().WriteShellLink(path, link)) << link.arguments;
    ShellLink read;
    ASSERT_TRUE(s().ReadShellLink(path, &read)) << link.arguments;
    EXPECT_TRUE(EqualsNoCaseCp932(read.target, link.target)) << read.target;
    EXPECT_EQ(read.arguments, link.arguments);
    EXPECT_EQ(read.workingDirectory, link.workingDirectory);
    EXPECT_EQ(read.description, link.description);
  }
  const std::string text = target_->directory() + "\\text.lnk";
  ASSERT_TRUE(target_->files().WriteBytes(text, "not a shortcut\r\n"));
  ShellLink read;
  for (const std::string& none : {text, target_->directory() + "\\none.lnk"}) {
    EXPECT_FALSE(s().ReadShellLink(none, &read)) << none;
  }
  EXPECT_FALSE(s().WriteShellLink(target_->directory() + "\\none\\a.lnk", links[0]));
}

}  // namespace
}  // namespace zuba::platform
