#include "toolkit/CheckBox.h"

#include <gtest/gtest.h>

#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Panel.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::toolkit {
namespace {

// Counts the subclass reaction and the clicks, and notes the state each saw.
struct Reacting : CheckBox {
  std::vector<CheckState> reactions;
  void CheckStateSet() override { reactions.push_back(State()); }
};

class CheckBoxTest : public ::testing::Test {
 protected:
  ScriptedUiServices ui;
  Application app{ui};
  Form& form = app.CreateForm<Form>();
  Reacting& box = form.Add<Reacting>("box");
  std::vector<CheckState> clicks;
  void SetUp() override {
    box.SetOnClick([&](Component&) { clicks.push_back(box.State()); });
  }
};

TEST_F(CheckBoxTest, ProgramAssignmentRunsTheReactionEveryTimeAndOnClickOnlyOnChange) {
  box.SetChecked(false);
  box.SetChecked(true);
  box.SetChecked(true);
  box.SetState(CheckState::kGrayed);  // allowed by program even without AllowGrayed
  EXPECT_EQ(clicks, (std::vector<CheckState>{CheckState::kChecked, CheckState::kGrayed}));
  EXPECT_EQ(box.reactions, (std::vector<CheckState>{CheckState::kUnchecked, CheckState::kChecked,
                                                    CheckState::kChecked, CheckState::kGrayed}));
  EXPECT_FALSE(box.Checked());
}

TEST_F(CheckBoxTest, UserClicksCycleTwoOrThreeStates) {
  box.Click();
  box.Click();
  EXPECT_EQ(clicks, (std::vector<CheckState>{CheckState::kChecked, CheckState::kUnchecked}));
  clicks.clear();
  box.SetAllowGrayed(true);
  box.Click();
  box.Click();
  box.Click();
  EXPECT_EQ(clicks, (std::vector<CheckState>{CheckState::kGrayed, CheckState::kChecked,
                                             CheckState::kUnchecked}));
  EXPECT_TRUE(box.Focused());
}

TEST_F(CheckBoxTest, SpaceClicksAndADisabledParentStopsTheUser) {
  box.PressKey(vk::kSpace);
  EXPECT_TRUE(box.Checked());
  auto& panel = form.Add<Panel>("panel");
  auto& inner = panel.Add<CheckBox>("inner");
  panel.SetEnabled(false);
  EXPECT_FALSE(inner.Click());
  EXPECT_FALSE(inner.Checked());
  inner.SetChecked(true);  // the program still can
  EXPECT_TRUE(inner.Checked());
}

}  // namespace
}  // namespace zuba::toolkit
