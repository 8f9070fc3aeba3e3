#include "ui/DualListDlg.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "toolkit/Application.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::ui {
namespace {

using namespace toolkit;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class DualListDlgTest : public ::testing::Test {
 protected:
  DualListDlgTest() {
    app.SetHelpFile("C:\\ZUBANET\\Zubanet.hlp");
    dlg.Prepare({"c", "a", "b", "d"});
  }

  // The user selects exactly these entries of `list` (a click, then Ctrl
  // clicks).
  static void Select(ListBox& list, std::initializer_list<int> rows) {
    bool first = true;
    for (int row : rows) {
      ASSERT_TRUE(first ? list.Choose(row) : list.ToggleChoice(row));
      first = false;
    }
  }

  ScriptedUiServices ui;
  Application app{ui};
  Form& main = app.CreateForm<Form>();
  TDualListDlg& dlg = app.CreateForm<TDualListDlg>();
};

TEST_F(DualListDlgTest, TheDialogAsDesigned) {
  EXPECT_EQ(dlg.Caption(), "設定名の表示順を並び替える");
  EXPECT_EQ(dlg.HelpContext(), 32);
  EXPECT_EQ(dlg.SrcLabel.Caption(), "変更前");
  EXPECT_EQ(dlg.DstLabel.Caption(), "新しい順番");
  for (ListBox* list : {&dlg.SrcList, &dlg.DstList}) {
    EXPECT_TRUE(list->MultiSelect());
    EXPECT_FALSE(list->Sorted());
  }
  EXPECT_EQ(dlg.IncludeBtn.Caption(), ">");
  EXPECT_EQ(dlg.IncAllBtn.Caption(), ">>");
  EXPECT_EQ(dlg.ExcludeBtn.Caption(), "<");
  EXPECT_EQ(dlg.ExAllBtn.Caption(), "<<");
  EXPECT_EQ(dlg.OKBtn.GetModalResult(), ModalResult::kOk);
  EXPECT_EQ(dlg.CancelBtn.GetModalResult(), ModalResult::kCancel);
  EXPECT_TRUE(dlg.CancelBtn.Cancel());

  // The left list as filled, unsorted; the right one empty.
  EXPECT_THAT(dlg.SrcList.Items(), ElementsAre("c", "a", "b", "d"));
  EXPECT_THAT(dlg.DstList.Items(), IsEmpty());
  EXPECT_TRUE(dlg.IncludeBtn.Enabled());
  EXPECT_FALSE(dlg.ExcludeBtn.Enabled());
  EXPECT_FALSE(dlg.ExAllBtn.Enabled());

  ASSERT_TRUE(dlg.HelpBtn.Click());
  ASSERT_EQ(ui.HelpRequests().size(), 1u);
  EXPECT_EQ(ui.HelpRequests()[0].context, 32);
}

TEST_F(DualListDlgTest, EntriesMoveInTheOrderTheyStoodAndAreAppended) {
  Select(dlg.SrcList, {3, 1});  // d, then a: moved as a, d
  ASSERT_TRUE(dlg.IncludeBtn.Click());
  EXPECT_THAT(dlg.DstList.Items(), ElementsAre("a", "d"));
  EXPECT_THAT(dlg.SrcList.Items(), ElementsAre("c", "b"));
  EXPECT_TRUE(dlg.SrcList.Selected(1));  // b followed a: ">" again moves it
  ASSERT_TRUE(dlg.IncludeBtn.Click());
  EXPECT_THAT(dlg.DstList.Items(), ElementsAre("a", "d", "b"));

  // Double click on the right list moves back, appended at the end.
  Select(dlg.DstList, {0});
  ASSERT_TRUE(dlg.DstList.DoubleClick());
  EXPECT_THAT(dlg.SrcList.Items(), ElementsAre("c", "a"));
  EXPECT_THAT(dlg.DstList.Items(), ElementsAre("d", "b"));

  // Dragging one list onto the other moves its selection; onto itself nothing.
  Select(dlg.SrcList, {1});
  ASSERT_TRUE(dlg.SrcList.DragTo(dlg.SrcList));
  EXPECT_THAT(dlg.SrcList.Items(), ElementsAre("c", "a"));
  ASSERT_TRUE(dlg.SrcList.DragTo(dlg.DstList));
  EXPECT_THAT(dlg.DstList.Items(), ElementsAre("d", "b", "a"));

  ASSERT_TRUE(dlg.IncAllBtn.Click());
  EXPECT_THAT(dlg.DstList.Items(), ElementsAre("d", "b", "a", "c"));
  EXPECT_FALSE(dlg.IncludeBtn.Enabled());  // nothing left to move right
  EXPECT_FALSE(dlg.IncludeBtn.Click());
  ASSERT_TRUE(dlg.ExAllBtn.Click());
  EXPECT_THAT(dlg.SrcList.Items(), ElementsAre("d", "b", "a", "c"));
  EXPECT_THAT(dlg.DstList.Items(), IsEmpty());

  // Nothing selected: ">" moves nothing.
  dlg.SrcList.SetSelected(0, false);
  ASSERT_TRUE(dlg.IncludeBtn.Click());
  EXPECT_THAT(dlg.DstList.Items(), IsEmpty());
}

TEST_F(DualListDlgTest, RunsModallyAndAnswersTheButtonPressed) {
  ui.QueueModal([](Form& form) {
    auto& d = static_cast<TDualListDlg&>(form);
    d.IncAllBtn.Click();
    d.OKBtn.Click();
  });
  EXPECT_EQ(dlg.ShowModal(), ModalResult::kOk);
  EXPECT_THAT(dlg.DstList.Items(), ElementsAre("c", "a", "b", "d"));
  ui.QueueModal([](Form& form) { form.PressKey(vk::kEscape); });
  EXPECT_EQ(dlg.ShowModal(), ModalResult::kCancel);
}

}  // namespace
}  // namespace zuba::ui
