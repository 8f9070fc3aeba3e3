#include "platform/sim/NetworkPanel.h"

#include <algorithm>

namespace zuba::platform::sim {

const char kNetworkDialogTitle[] = "ﾈｯﾄﾜｰｸ";
const char kVersionConflictTitle[] = "ﾊﾞｰｼﾞｮﾝの競合";
const char kFileCopyTitle[] = "ﾌｧｲﾙのｺﾋﾟｰ";

namespace {

// Window handles: each run owns a block of them.
constexpr WindowHandle kPanelHandleBase = 0x00010000;
constexpr WindowHandle kPanelHandleBlock = 0x400;

MachineTime Later(MachineTime at, std::int64_t milliseconds) {
  return at == kNever || milliseconds >= kNever - at ? kNever : at + milliseconds;
}

// The first Return posted to `window` at or after `from`, or kNever.
MachineTime FirstReturn(const std::vector<PostedKey>& keys, WindowHandle window, MachineTime from) {
  MachineTime first = kNever;
  if (from == kNever) return first;
  for (const PostedKey& key : keys) {
    if (key.window == window && key.virtualKey == kVkReturn && key.time >= from) {
      first = std::min(first, key.time);
    }
  }
  return first;
}

}  // namespace

NetworkPanelScript ReadNetworkPanelScript(MachineConfig& config) {
  NetworkPanelScript script;
  script.title = config.Get("NetworkPanel", "Title", script.title);
  auto number = [&config](const char* key, std::uint32_t* value) {
    std::uint32_t n;
    if (ParseConfigNumber(config.Get("NetworkPanel", key), &n)) *value = n;
  };
  number("OpenAfter", &script.openAfter);
  number("CloseAfter", &script.closeAfter);
  number("CopyAfter", &script.copyAfter);
  number("CopyFor", &script.copyFor);
  number("Conflicts", &script.conflicts);
  number("ConflictAfter", &script.conflictAfter);
  number("ConflictCloseAfter", &script.conflictCloseAfter);
  script.conflicts = std::min(script.conflicts, kMaxConflicts);
  return script;
}

WindowHandle PanelDialogHandle(std::uint32_t run) {
  return kPanelHandleBase + run * kPanelHandleBlock + 4;
}

WindowHandle PanelCopyHandle(std::uint32_t run) {
  return kPanelHandleBase + run * kPanelHandleBlock + 8;
}

WindowHandle PanelConflictHandle(std::uint32_t run, std::uint32_t index) {
  return kPanelHandleBase + run * kPanelHandleBlock + 12 + 4 * index;
}

PanelTimeline ComputePanelTimeline(const PanelRun& run, const std::vector<PostedKey>& keys) {
  PanelTimeline timeline;
  const NetworkPanelScript& s = run.script;
  if (s.title.empty()) {  // the dialog never opens; rundll32 gives up at once
    timeline.processEnd = run.start;
    return timeline;
  }
  WindowSpan dialog{PanelDialogHandle(run.number), s.title, Later(run.start, s.openAfter)};
  dialog.gone = Later(FirstReturn(keys, dialog.handle, dialog.shown), s.closeAfter);
  timeline.windows.push_back(dialog);
  timeline.processEnd = dialog.gone;
  if (s.copyFor == 0 || dialog.gone == kNever) return timeline;

  WindowSpan copy{PanelCopyHandle(run.number), kFileCopyTitle, Later(dialog.gone, s.copyAfter)};
  MachineTime now = copy.shown;  // where the copy stands on the clock ...
  std::int64_t copied = 0;       // ... and how long it has run
  for (std::uint32_t i = 0; i < s.conflicts && now != kNever; ++i) {
    std::int64_t at = std::min<std::int64_t>(std::int64_t{s.conflictAfter} * (i + 1), s.copyFor);
    WindowSpan conflict{PanelConflictHandle(run.number, i), kVersionConflictTitle,
                        Later(now, at - copied)};
    conflict.gone = Later(FirstReturn(keys, conflict.handle, conflict.shown), s.conflictCloseAfter);
    timeline.windows.push_back(conflict);
    copied = at;
    now = conflict.gone;
  }
  copy.gone = Later(now, s.copyFor - copied);
  timeline.windows.push_back(copy);
  timeline.processEnd = copy.gone;
  return timeline;
}

}  // namespace zuba::platform::sim
