// The simulated Network control panel ("rundll32.exe shell32.dll,
// Control_RunDLL netcpl.cpl"): when its dialog opens, how it closes after a
// Return, and the file copy that follows with its version-conflict
// questions. machine.ini's [NetworkPanel] scripts it; every run keeps the
// script it started with.
//
//   [NetworkPanel]
//   Title=ﾈｯﾄﾜｰｸ           the dialog's title (empty: the dialog never opens)
//   OpenAfter=500          ms from the start until the dialog is shown
//   CloseAfter=300         ms from the Return it receives until it has gone
//   CopyAfter=200          ms from its closing until the file-copy window shows
//   CopyFor=0              ms of copying (0: no file-copy window at all)
//   Conflicts=0            how often a version-conflict dialog appears
//   ConflictAfter=300      ms of copying before each version-conflict dialog
//   ConflictCloseAfter=0   ms from the Return it receives until it has gone
//
// The times form one timeline that only the Return keys posted to the
// windows move on, so every process that looks at the machine sees the same
// windows at the same moment. The copy pauses while a version-conflict
// dialog waits for its Return; a dialog that never receives one stays open,
// and so does the file-copy window behind it. The i-th conflict appears
// when the copy has run min(ConflictAfter * i, CopyFor) ms; the copy ends
// after CopyFor ms of copying. Conflicts need a copy: with CopyFor=0 none
// appears. The process (rundll32) ends when the last of its windows goes.
#ifndef ZUBA_PLATFORM_SIM_NETWORKPANEL_H_
#define ZUBA_PLATFORM_SIM_NETWORKPANEL_H_

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "platform/System.h"
#include "platform/sim/MachineConfig.h"

namespace zuba::platform::sim {

// Milliseconds since the Unix epoch (the host's wall clock, shared by every
// process on the machine); kNever for a moment that does not come.
using MachineTime = std::int64_t;
constexpr MachineTime kNever = std::numeric_limits<MachineTime>::max();

// The window titles of the panel, in code page 932.
extern const char kNetworkDialogTitle[];    // "ﾈｯﾄﾜｰｸ" (half-width katakana)
extern const char kVersionConflictTitle[];  // "ﾊﾞｰｼﾞｮﾝの競合"
extern const char kFileCopyTitle[];         // "ﾌｧｲﾙのｺﾋﾟｰ"

// At most this many version-conflict dialogs per run.
constexpr std::uint32_t kMaxConflicts = 200;

struct NetworkPanelScript {
  std::string title = kNetworkDialogTitle;
  std::uint32_t openAfter = 500;
  std::uint32_t closeAfter = 300;
  std::uint32_t copyAfter = 200;
  std::uint32_t copyFor = 0;
  std::uint32_t conflicts = 0;
  std::uint32_t conflictAfter = 300;
  std::uint32_t conflictCloseAfter = 0;
};

// [NetworkPanel] of machine.ini; a missing or unreadable number keeps its
// default, Conflicts is capped at kMaxConflicts.
NetworkPanelScript ReadNetworkPanelScript(MachineConfig& config);

// One run of the panel: its number on the machine (1, 2, ...), when it
// started and the script it follows.
struct PanelRun {
  std::uint32_t number = 0;
  MachineTime start = 0;
  NetworkPanelScript script;
};

// A key-down posted to a window of the machine.
struct PostedKey {
  MachineTime time = 0;
  WindowHandle window = 0;
  int virtualKey = 0;
  std::uint32_t keyData = 0;
};

// A top-level window and the moments it is shown and goes.
struct WindowSpan {
  WindowHandle handle = 0;
  std::string title;
  MachineTime shown = kNever;
  MachineTime gone = kNever;
  bool OpenAt(MachineTime now) const { return shown <= now && now < gone; }
};

struct PanelTimeline {
  std::vector<WindowSpan> windows;  // the dialog, the file-copy window, each conflict
  MachineTime processEnd = kNever;
};

// The handles of a run's windows: distinct for every run and window.
WindowHandle PanelDialogHandle(std::uint32_t run);
WindowHandle PanelCopyHandle(std::uint32_t run);
WindowHandle PanelConflictHandle(std::uint32_t run, std::uint32_t index);

// The windows of `run` given the keys posted on the machine (in any order;
// only Return keys posted to a window while it is open count).
PanelTimeline ComputePanelTimeline(const PanelRun& run, const std::vector<PostedKey>& keys);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_NETWORKPANEL_H_
