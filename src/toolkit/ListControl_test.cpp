#include "toolkit/ListControl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Form.h"
#include "toolkit/ListBox.h"
#include "toolkit/RadioGroup.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::toolkit {
namespace {

class ListControlTest : public ::testing::Test {
 protected:
  ScriptedUiServices ui;
  Application app{ui};
  Form& form = app.CreateForm<Form>();
  ComboBox& combo = form.Add<ComboBox>("combo");
  int changes = 0;
  void SetUp() override {
    combo.SetStyle(ComboStyle::kDropDownList);
    combo.SetOnChange([&](Component&) { ++changes; });
  }
};

TEST_F(ListControlTest, SortedKeepsCaseInsensitiveOrderAndIndexOfIgnoresCase) {
  combo.SetItems({"office", "Home", "ｈｏｔｅｌ", "apple"});
  combo.SetItemIndex(0);
  combo.SetSorted(true);
  EXPECT_EQ(combo.Items(), (std::vector<std::string>{"apple", "Home", "office", "ｈｏｔｅｌ"}));
  EXPECT_EQ(combo.Text(), "office");  // the selection followed its entry
  EXPECT_EQ(combo.AddItem("Hotel"), 2);
  EXPECT_EQ(combo.AddItem("HOME"), 2);  // after the equal one
  EXPECT_EQ(combo.IndexOf("OFFICE"), 4);
  EXPECT_EQ(combo.IndexOf("ＨＯＴＥＬ"), 5);  // full-width letters fold too
  EXPECT_EQ(combo.IndexOf("none"), -1);
  EXPECT_EQ(combo.ItemIndex(), 4);
  EXPECT_EQ(changes, 0);
}

TEST_F(ListControlTest, ProgramSelectionRaisesNothingAndTheUsersChoiceDoes) {
  combo.SetItems({"a", "b", "c"});
  combo.SetItemIndex(1);
  combo.SetItemIndex(7);  // out of range: none
  EXPECT_EQ(combo.ItemIndex(), -1);
  EXPECT_EQ(combo.Text(), "");
  combo.SetText("C");
  EXPECT_EQ(combo.ItemIndex(), 2);
  EXPECT_EQ(changes, 0);
  EXPECT_TRUE(combo.Choose(0));
  EXPECT_TRUE(combo.Choose("a"));  // the entry already selected: OnChange again
  EXPECT_FALSE(combo.Choose("z"));
  EXPECT_EQ(changes, 2);
  combo.PressKey(vk::kDown);
  EXPECT_EQ(combo.Text(), "b");
  combo.KeyPress('c');  // first letter
  EXPECT_EQ(combo.Text(), "c");
  EXPECT_EQ(changes, 4);
  combo.SetEnabled(false);
  EXPECT_FALSE(combo.Choose(1));
  EXPECT_EQ(changes, 4);
}

TEST_F(ListControlTest, DeletingKeepsTheSelectedEntryOrSelectsNone) {
  auto& list = form.Add<ListBox>("list");
  list.SetItems({"a", "b", "c", "d"});
  list.SetItemIndex(2);
  list.DeleteItem(0);
  EXPECT_EQ(list.ItemIndex(), 1);
  EXPECT_EQ(list.Item(list.ItemIndex()), "c");
  EXPECT_FALSE(list.DeleteItem(3));
  list.DeleteItem(1);
  EXPECT_EQ(list.ItemIndex(), -1);
  list.InsertItem(0, "z");
  list.SetItemIndex(1);
  list.InsertItem(-5, "y");
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"y", "z", "b", "d"}));
  EXPECT_EQ(list.ItemIndex(), 2);
}

TEST_F(ListControlTest, MultiSelectListKeepsSeveralSelections) {
  auto& list = form.Add<ListBox>("list");
  list.SetMultiSelect(true);
  list.SetItems({"a", "b", "c"});
  list.Choose(0);
  list.ToggleChoice(2);
  EXPECT_TRUE(list.Selected(0));
  EXPECT_FALSE(list.Selected(1));
  EXPECT_TRUE(list.Selected(2));
  EXPECT_EQ(list.SelCount(), 2);
  list.DeleteItem(0);
  EXPECT_EQ(list.SelCount(), 1);
  EXPECT_TRUE(list.Selected(1));
}

TEST_F(ListControlTest, RadioGroupClampsItsIndexAndClicksWhenAButtonIsChecked) {
  auto& group = form.Add<RadioGroup>("RgLogon");
  group.SetBounds(132, 4, 57, 73);
  group.SetItems({"W9x", "NT", "他"});
  int clicks = 0;
  group.SetOnClick([&](Component&) { ++clicks; });
  group.SetItemIndex(0);
  group.SetItemIndex(5);
  EXPECT_EQ(group.ItemIndex(), 2);
  EXPECT_TRUE(group.Button(2)->Checked());
  EXPECT_FALSE(group.Button(0)->Checked());
  group.SetItemIndex(-3);
  EXPECT_EQ(group.ItemIndex(), -1);
  EXPECT_EQ(clicks, 2);
  EXPECT_TRUE(group.Choose(1));
  EXPECT_EQ(group.ItemIndex(), 1);
  EXPECT_EQ(clicks, 3);
  group.SetEnabled(false);
  EXPECT_FALSE(group.Button(0)->Enabled());
  EXPECT_FALSE(group.Choose(0));
  EXPECT_EQ(group.Children().size(), 3u);
}

}  // namespace
}  // namespace zuba::toolkit
