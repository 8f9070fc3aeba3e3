#include "actions/ZNetUtil.h"

#include "actions/ExecUtil.h"
#include "platform/Cp932.h"
#include "system/ZubaUtil.h"

namespace zuba::actions {
namespace {

constexpr char kNetworkPanelCommand[] = "rundll32.exe shell32.dll,Control_RunDLL netcpl.cpl";
constexpr char kHalfWidthTitle[] = "ﾈｯﾄﾜｰｸ";
constexpr char kFullWidthTitle[] = "ネットワーク";
constexpr char kConflictTitle[] = "ﾊﾞｰｼﾞｮﾝの競合";
constexpr char kFileCopyTitle[] = "ﾌｧｲﾙのｺﾋﾟｰ";
constexpr std::uint32_t kSettleMs = 1000;

// Posts a Return to `window`; empty, else what failed.
std::string PostReturn(platform::System& system, platform::WindowHandle window) {
  if (system.PostKeyDown(window, platform::kVkReturn, kReturnKeyData)) return "";
  return "RET_Down Post Error:" + std::to_string(system.LastError());
}

// Waits for the Network dialog; false when it did not show in time.
bool FindNetworkDialog(platform::System& system, system::AppShell& shell,
                       platform::WindowHandle* dialog, std::string* title) {
  const std::uint32_t start = system.GetTickCount();
  for (;;) {
    shell.ProcessMessages();
    platform::WindowHandle half = system.FindTopLevelWindow(kHalfWidthTitle);
    platform::WindowHandle full = system.FindTopLevelWindow(kFullWidthTitle);
    if (half != 0 || full != 0) {
      *dialog = half != 0 ? half : full;
      *title = half != 0 ? kHalfWidthTitle : kFullWidthTitle;
      return true;
    }
    if (system.GetTickCount() - start >= kNetworkDialogWaitMs) return false;
    system.Sleep(kWindowPollMs);
  }
}

}  // namespace

std::string RunNetworkControlPanel(platform::System& system, platform::Files& files,
                            system::AppShell& shell,
                            const std::function<bool()>& answerConflicts) {
  const std::string windowsDir = system::GetWindowsDir(files);
  const platform::ProcessHandle panel =
      ExecCommand(system, files, kNetworkPanelCommand, windowsDir, kShowNormal);
  if (panel == 0) {
    return "CPL Execute Error:" + std::to_string(system.LastError());
  }
  CloseProcessHandle(system, panel);

  platform::WindowHandle dialog = 0;
  std::string title;
  if (!FindNetworkDialog(system, shell, &dialog, &title)) {
    return "Can't find NetworkDLG.";
  }
  if (std::string failed = PostReturn(system, dialog); !failed.empty()) return failed;

  for (;;) {
    shell.ProcessMessages();
    if (system.FindTopLevelWindow(title) == 0 || system::IsCtrlKeyDown(system)) break;
    system.Sleep(kWindowPollMs);
  }

  system::WaitProcessingMessages(shell, system, kSettleMs);

  bool answered = false;
  for (;;) {
    shell.ProcessMessages();
    platform::WindowHandle conflict = system.FindTopLevelWindow(kConflictTitle);
    if (conflict == 0) {
      answered = false;
    } else if (!answered && answerConflicts()) {
      answered = true;
      if (std::string failed = PostReturn(system, conflict); !failed.empty()) return failed;
    }
    if (system.FindTopLevelWindow(kFileCopyTitle) == 0 || system::IsCtrlKeyDown(system)) return "";
    system.Sleep(kWindowPollMs);
  }
}

}  // namespace zuba::actions
