#include "platform/sim/SimWindows.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "platform/WinError.h"
#include "testing/TempMachine.h"

namespace zuba::platform::sim {
namespace {

using testing::TempMachine;

constexpr char kNetCpl[] = "rundll32.exe shell32.dll,Control_RunDLL netcpl.cpl";
constexpr std::uint32_t kReturnData = 0x001C0001;

class SimWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MachineConfig& config = *machine_.machine().config;
    ASSERT_TRUE(config.Set("NetworkPanel", "OpenAfter", "0"));
    ASSERT_TRUE(config.Set("NetworkPanel", "CloseAfter", "0"));
  }
  std::string Events() {
    std::ifstream in(machine_.HostPath("events.log"), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  System& system() { return machine_.system(); }

  TempMachine machine_;
};

TEST_F(SimWindowsTest, EveryProcessSeesThePanelsWindows) {
  const std::string title = "ﾈｯﾄﾜｰｸ";
  EXPECT_EQ(system().FindTopLevelWindow(title), 0u);
  ProcessHandle panel = system().StartProcess(kNetCpl, "C:\\WINDOWS\\", 0x20, 5);
  ASSERT_NE(panel, 0u) << system().LastError();
  EXPECT_EQ(system().WaitProcess(panel, 20), kWaitTimeout);

  // Another process on the machine finds the dialog and answers it.
  auto other = OpenSimulatedMachine(machine_.directory());
  WindowHandle dialog = other->system->FindTopLevelWindow(title);
  ASSERT_NE(dialog, 0u);
  EXPECT_EQ(system().FindTopLevelWindow(title), dialog);
  EXPECT_TRUE(other->system->PostKeyDown(dialog, kVkShift, 0));  // no Return: nothing happens
  EXPECT_EQ(system().FindTopLevelWindow(title), dialog);
  EXPECT_TRUE(other->system->PostKeyDown(dialog, kVkReturn, kReturnData));
  EXPECT_EQ(system().FindTopLevelWindow(title), 0u);
  EXPECT_EQ(system().WaitProcess(panel, 1000), kWaitObject0);
  EXPECT_FALSE(other->system->PostKeyDown(dialog, kVkReturn, kReturnData));
  EXPECT_EQ(other->system->LastError(), static_cast<std::uint32_t>(kErrorInvalidWindowHandle));
  EXPECT_NE(Events().find("PostMessage WM_KEYDOWN to \"\xEF\xBE\x88\xEF\xBD\xAF\xEF\xBE\x84"
                          "\xEF\xBE\x9C\xEF\xBD\xB0\xEF\xBD\xB8\" (0x"),
            std::string::npos)
      << Events();
  EXPECT_NE(Events().find("): key 0x0D, data 0x001C0001"), std::string::npos);
  EXPECT_NE(Events().find("opens the Network control panel (run 1)"), std::string::npos);

  // A restart closes every window.
  ASSERT_TRUE(machine_.machine().config->Set("NetworkPanel", "CloseAfter", "60000"));
  ASSERT_NE(system().StartProcess(kNetCpl, "", 0x20, 5), 0u);
  EXPECT_NE(system().FindTopLevelWindow(title), 0u);
  ASSERT_TRUE(CloseAllWindows(machine_.directory()));
  EXPECT_EQ(system().FindTopLevelWindow(title), 0u);
}

TEST_F(SimWindowsTest, FindsTheTopmostWindowOfATitle) {
  MachineConfig& config = *machine_.machine().config;
  ASSERT_TRUE(config.Set("Desktop", "Window", "Network Neighborhood"));
  WindowHandle desktop = system().FindTopLevelWindow("NETWORK neighborhood");
  EXPECT_NE(desktop, 0u);
  EXPECT_EQ(system().FindTopLevelWindow("Network"), 0u);
  ASSERT_TRUE(config.Set("NetworkPanel", "Title", "Network Neighborhood"));
  ProcessHandle panel = system().StartProcess(kNetCpl, "", 0x20, 5);
  ASSERT_NE(panel, 0u);
  WindowHandle dialog = system().FindTopLevelWindow("Network Neighborhood");
  EXPECT_NE(dialog, desktop);
  EXPECT_TRUE(system().PostKeyDown(dialog, kVkReturn, kReturnData));
  EXPECT_EQ(system().FindTopLevelWindow("Network Neighborhood"), desktop);

  // An empty title: the dialog never opens, and rundll32 gives up.
  ASSERT_TRUE(config.Set("NetworkPanel", "Title", ""));
  panel = system().StartProcess(kNetCpl, "", 0x20, 5);
  EXPECT_EQ(system().WaitProcess(panel, 0), kWaitObject0);
}

TEST_F(SimWindowsTest, PostsFailAsMachineIniSays) {
  ASSERT_TRUE(machine_.machine().config->Set("Desktop", "Window", "x"));
  WindowHandle window = system().FindTopLevelWindow("x");
  ASSERT_TRUE(machine_.machine().config->Set("Fail", "PostMessage", "1400"));
  EXPECT_FALSE(system().PostKeyDown(window, kVkReturn, kReturnData));
  EXPECT_EQ(system().LastError(), 1400u);
  system().BroadcastWinIniChange("windows");
  EXPECT_NE(Events().find("broadcast WM_WININICHANGE windows\n"), std::string::npos);
}

}  // namespace
}  // namespace zuba::platform::sim
