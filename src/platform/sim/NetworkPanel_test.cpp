#include "platform/sim/NetworkPanel.h"

#include <gtest/gtest.h>

namespace zuba::platform::sim {
namespace {

PanelRun RunOf(NetworkPanelScript script) { return PanelRun{3, 10000, std::move(script)}; }

PostedKey Return(MachineTime at, WindowHandle window) { return {at, window, kVkReturn, 0}; }

TEST(NetworkPanelTest, TheDialogWaitsForItsReturn) {
  NetworkPanelScript script;  // the defaults: open after 500, close 300 after the Return
  PanelTimeline t = ComputePanelTimeline(RunOf(script), {});
  ASSERT_EQ(t.windows.size(), 1u);
  EXPECT_EQ(t.windows[0].title, kNetworkDialogTitle);
  EXPECT_EQ(t.windows[0].shown, 10500);
  EXPECT_EQ(t.windows[0].gone, kNever);
  EXPECT_EQ(t.processEnd, kNever);

  const WindowHandle dialog = PanelDialogHandle(3);
  // A key that is no Return, one for another window, one before it opened.
  std::vector<PostedKey> keys = {{10600, dialog, 0x20, 0},
                                 Return(10700, dialog + 4),
                                 Return(10400, dialog),
                                 Return(11000, dialog),
                                 Return(10900, dialog)};
  t = ComputePanelTimeline(RunOf(script), keys);
  EXPECT_EQ(t.windows[0].gone, 11200);  // the first Return that counts, plus 300
  EXPECT_EQ(t.processEnd, 11200);

  script.title.clear();
  t = ComputePanelTimeline(RunOf(script), keys);
  EXPECT_TRUE(t.windows.empty());
  EXPECT_EQ(t.processEnd, 10000);
}

TEST(NetworkPanelTest, ConflictsPauseTheCopyUntilAnswered) {
  NetworkPanelScript script;
  script.openAfter = 0;
  script.closeAfter = 0;
  script.copyAfter = 100;
  script.copyFor = 1000;
  script.conflicts = 3;
  script.conflictAfter = 400;
  script.conflictCloseAfter = 50;
  std::vector<PostedKey> keys = {Return(10000, PanelDialogHandle(3))};
  PanelTimeline t = ComputePanelTimeline(RunOf(script), keys);
  // The dialog, the first conflict (unanswered), the copy window.
  ASSERT_EQ(t.windows.size(), 3u);
  EXPECT_EQ(t.windows[1].title, kVersionConflictTitle);
  EXPECT_EQ(t.windows[1].shown, 10500);  // copy shown at 10100, 400 ms of copying
  EXPECT_EQ(t.windows[1].gone, kNever);
  EXPECT_EQ(t.windows[2].title, kFileCopyTitle);
  EXPECT_EQ(t.windows[2].shown, 10100);
  EXPECT_EQ(t.windows[2].gone, kNever);
  EXPECT_EQ(t.processEnd, kNever);

  keys.push_back(Return(10600, PanelConflictHandle(3, 0)));
  keys.push_back(Return(11200, PanelConflictHandle(3, 1)));  // shown at 10650 + 400
  keys.push_back(Return(11400, PanelConflictHandle(3, 2)));  // shown at 11250 + 200 (the end)
  t = ComputePanelTimeline(RunOf(script), keys);
  ASSERT_EQ(t.windows.size(), 5u);
  EXPECT_EQ(t.windows[2].shown, 11050);
  EXPECT_EQ(t.windows[3].shown, 11450);
  EXPECT_EQ(t.windows[3].gone, kNever);  // the Return at 11400 came before it
  keys.push_back(Return(11500, PanelConflictHandle(3, 2)));
  t = ComputePanelTimeline(RunOf(script), keys);
  EXPECT_EQ(t.windows[3].gone, 11550);
  EXPECT_EQ(t.windows[4].gone, 11550);  // nothing left to copy
  EXPECT_EQ(t.processEnd, 11550);
  EXPECT_TRUE(t.windows[4].OpenAt(11549));
  EXPECT_FALSE(t.windows[4].OpenAt(11550));
}

TEST(NetworkPanelTest, RunsHaveTheirOwnHandles) {
  EXPECT_NE(PanelDialogHandle(1), PanelDialogHandle(2));
  EXPECT_NE(PanelConflictHandle(1, kMaxConflicts - 1), PanelDialogHandle(2));
  EXPECT_NE(PanelCopyHandle(1), PanelConflictHandle(1, 0));
}

}  // namespace
}  // namespace zuba::platform::sim
