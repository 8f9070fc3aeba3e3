#include "actions/ZNetUtil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/sim/NetworkPanel.h"
#include "testing/TempMachine.h"
#include "testing/RecordingShell.h"

namespace zuba::actions {
namespace {

using platform::sim::PanelConflictHandle;
using platform::sim::PanelDialogHandle;

using Clock = std::chrono::steady_clock;

// A clock that moves only when the program sleeps.
class VirtualClock : public platform::SystemWrapper {
 public:
  using SystemWrapper::SystemWrapper;
  std::uint32_t GetTickCount() override { return now; }
  void Sleep(std::uint32_t milliseconds) override { now += milliseconds; }
  std::uint32_t now = 0xFFFFF000;  // across the wrap of the tick count
};

// Fails the post to the second window that receives a key.
class SecondPostFails : public platform::SystemWrapper {
 public:
  using SystemWrapper::SystemWrapper;
  bool PostKeyDown(platform::WindowHandle window, int virtualKey, std::uint32_t keyData) override {
    if (++posts == 2) {
      failed = true;
      return false;  // the wrapped LastError still answers 0 ... so say why below
    }
    return SystemWrapper::PostKeyDown(window, virtualKey, keyData);
  }
  std::uint32_t LastError() override { return failed ? 1400 : SystemWrapper::LastError(); }
  int posts = 0;
  bool failed = false;
};

class ZNetUtilTest : public ::testing::Test {
 protected:
  ZNetUtilTest() {
    Script("OpenAfter", "0");
    Script("CloseAfter", "0");
  }
  void Script(const char* key, const std::string& value) {
    ASSERT_TRUE(config().Set("NetworkPanel", key, value));
  }
  platform::sim::MachineConfig& config() { return *machine_.machine().config; }
  // Runs the procedure and answers how long it took, in milliseconds.
  long long Run(platform::System& system) {
    auto start = Clock::now();
    // The procedure tells what stopped it; its caller shows that.
    const std::string stopped =
        RunNetworkControlPanel(system, machine_.files(), shell_, [this] { return answerConflicts_; });
    if (!stopped.empty()) shell_.ShowPlainMessage(stopped);
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
  }
  long long Run() { return Run(machine_.system()); }
  std::string Events() {
    std::ifstream in(machine_.HostPath("events.log"), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  // The keys posted to `window` as events.log shows them.
  int PostsTo(platform::WindowHandle window) {
    char handle[64];
    std::snprintf(handle, sizeof handle, "(0x%08X): key 0x0D, data 0x001C0001", window);
    const std::string events = Events();
    int count = 0;
    for (std::size_t at = events.find(handle); at != std::string::npos;
         at = events.find(handle, at + 1)) {
      ++count;
    }
    return count;
  }
  std::vector<std::string> Texts() {
    return shell_.messages;
  }

  testing::TempMachine machine_;
  testing::RecordingShell shell_;
  bool answerConflicts_ = true;  // the option PmOpt3
};

TEST_F(ZNetUtilTest, ConfirmsTheHalfWidthDialogAndEndsAfterTheWaitWithoutACopy) {
  // Both titles are there at the first look.
  ASSERT_TRUE(config().Set("Desktop", "Window", "ネットワーク"));
  Script("CloseAfter", "200");
  long long took = Run();
  EXPECT_TRUE(shell_.messages.empty()) << Texts()[0];
  EXPECT_EQ(PostsTo(PanelDialogHandle(1)), 1) << Events();
  EXPECT_EQ(PostsTo(0x100), 0);  // the full-width window is left alone
  // 200 until the dialog has gone, the one-second wait; no file-copy
  // window, so that is all.
  EXPECT_GE(took, 1180);
  EXPECT_LT(took, 3000);
  EXPECT_NE(Events().find("CreateProcess \"rundll32.exe shell32.dll,Control_RunDLL netcpl.cpl\" "
                          "in \"C:\\WINDOWS\\\" (flags 32, show 5): C:\\WINDOWS\\rundll32.exe "
                          "opens the Network control panel (run 1)"),
            std::string::npos);

  Script("Title", "ネットワーク");  // the full-width title is taken when it is the only one
  ASSERT_TRUE(config().Set("Desktop", "Window", ""));
  Run();
  EXPECT_EQ(PostsTo(PanelDialogHandle(2)), 1);
  EXPECT_TRUE(shell_.messages.empty());
}

TEST_F(ZNetUtilTest, AnswersEachConflictOnceWhileTheFileCopyRuns) {
  Script("CopyAfter", "100");
  Script("CopyFor", "900");
  Script("Conflicts", "2");
  Script("ConflictAfter", "300");
  Script("ConflictCloseAfter", "150");  // open for many looks after its Return
  long long took = Run();
  EXPECT_TRUE(shell_.messages.empty());
  EXPECT_EQ(PostsTo(PanelDialogHandle(1)), 1);
  EXPECT_EQ(PostsTo(PanelConflictHandle(1, 0)), 1);
  EXPECT_EQ(PostsTo(PanelConflictHandle(1, 1)), 1);
  // The first conflict waits through the one-second wait; then 150 + 300 +
  // 150 + 300 more until the copy is done.
  EXPECT_GE(took, 1880);
  EXPECT_LT(took, 4000);
}

TEST_F(ZNetUtilTest, LeavesConflictsToTheUserWhenNotAsked) {
  answerConflicts_ = false;
  Script("CopyFor", "300");
  Script("CopyAfter", "0");
  Script("Conflicts", "1");
  Script("ConflictAfter", "100");
  std::atomic<bool> answered{false};
  std::thread user([this, &answered] {
    // The user, in another process, answers the conflict after a while.
    auto other = platform::sim::OpenSimulatedMachine(machine_.directory());
    std::this_thread::sleep_for(std::chrono::milliseconds(1800));
    platform::WindowHandle conflict = other->system->FindTopLevelWindow("ﾊﾞｰｼﾞｮﾝの競合");
    answered = conflict != 0 && other->system->PostKeyDown(conflict, platform::kVkReturn, 0);
  });
  long long took = Run();
  user.join();
  EXPECT_TRUE(answered);
  EXPECT_GE(took, 1800);  // waited while the file copy stood still
  EXPECT_LT(took, 4000);
  EXPECT_EQ(PostsTo(PanelConflictHandle(1, 0)), 0);  // only the user's key (data 0)
  EXPECT_TRUE(shell_.messages.empty());
}

TEST_F(ZNetUtilTest, CtrlEndsTheWaitsForClosingAndCopyingButNotForTheDialog) {
  ASSERT_TRUE(config().Set("Keyboard", "Down", "Ctrl"));
  Script("OpenAfter", "300");
  Script("CloseAfter", "60000");
  long long took = Run();
  EXPECT_EQ(PostsTo(PanelDialogHandle(1)), 1);  // the dialog was waited for and confirmed
  EXPECT_GE(took, 1280);
  EXPECT_LT(took, 5000);  // not the minute the dialog takes to close

  Script("OpenAfter", "0");
  Script("CloseAfter", "0");
  Script("CopyAfter", "0");
  Script("CopyFor", "60000");
  took = Run();
  EXPECT_EQ(PostsTo(PanelDialogHandle(2)), 1);
  EXPECT_GE(took, 980);
  EXPECT_LT(took, 5000);  // not the minute of copying
  EXPECT_TRUE(shell_.messages.empty());
}

TEST_F(ZNetUtilTest, ReportsEachFailureAndStops) {
  ASSERT_TRUE(config().Set("Fail", "CreateProcess", "8"));
  Run();
  ASSERT_TRUE(config().Set("Fail", "CreateProcess", ""));
  ASSERT_TRUE(machine_.files().RemoveFile("C:\\WINDOWS\\RUNDLL32.EXE"));
  Run();
  EXPECT_EQ(Texts(), (std::vector<std::string>{"CPL Execute Error:8", "CPL Execute Error:2"}));

  machine_.Reopen();
  ASSERT_TRUE(machine_.files().WriteBytes("C:\\WINDOWS\\RUNDLL32.EXE", "MZ"));
  shell_.messages.clear();
  ASSERT_TRUE(config().Set("Fail", "PostMessage", "1400"));
  Run();
  ASSERT_TRUE(config().Set("Fail", "PostMessage", ""));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"RET_Down Post Error:1400"}));
  // The dialog that got no Return is still there; the user closes it.
  platform::System& system = machine_.system();
  ASSERT_TRUE(system.PostKeyDown(system.FindTopLevelWindow("ﾈｯﾄﾜｰｸ"), platform::kVkReturn, 0));

  // The post to a conflict fails: the procedure ends though the copy goes on.
  shell_.messages.clear();
  Script("CopyFor", "60000");
  Script("Conflicts", "1");
  Script("ConflictAfter", "0");
  SecondPostFails failing(machine_.system());
  long long took = Run(failing);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"RET_Down Post Error:1400"}));
  EXPECT_EQ(failing.posts, 2);
  EXPECT_LT(took, 5000);

  // A dialog that never shows: the wait gives up after its bound.
  shell_.messages.clear();
  Script("Title", "");
  ASSERT_TRUE(config().Set("Keyboard", "Down", "Ctrl"));  // does not end this wait
  VirtualClock clock(machine_.system());
  const std::uint32_t start = clock.now;
  Run(clock);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Can't find NetworkDLG."}));
  EXPECT_GE(clock.now - start, kNetworkDialogWaitMs);
  EXPECT_LT(clock.now - start, kNetworkDialogWaitMs + 2 * kWindowPollMs);
}

// The waits for the dialog (a second) and the one-second wait after it:
// they cost little and notice the dialog at once.
TEST_F(ZNetUtilTest, WaitingCostsLittleAndNoticesTheDialogAtOnce) {
  Script("OpenAfter", "1000");
  timespec cpu0, cpu1;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu0);
  long long took = Run();
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu1);
  const double used = (cpu1.tv_sec - cpu0.tv_sec) + (cpu1.tv_nsec - cpu0.tv_nsec) / 1e9;
  EXPECT_LT(used / (took / 1000.0), 0.05);

  // desktop.log: "panel 1 START ..." and "key TIME ...", in milliseconds.
  std::ifstream log(machine_.HostPath("desktop.log"));
  std::string tag;
  long long run = 0, start = 0, key = 0;
  log >> tag >> run >> start;
  log.ignore(1000, '\n');
  log >> tag >> key;
  ASSERT_EQ(tag, "key");
  EXPECT_GE(key - (start + 1000), 0);
  EXPECT_LT(key - (start + 1000), 50);
}

}  // namespace
}  // namespace zuba::actions
