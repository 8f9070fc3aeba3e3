#include "ui/MlChkbox.h"

#include <gtest/gtest.h>

#include "toolkit/Application.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::ui {
namespace {

using namespace toolkit;

class MlChkboxTest : public ::testing::Test {
 protected:
  ScriptedUiServices ui;
  Application app{ui};
  Form& form = app.CreateForm<Form>();
  TMultiLineCheckBox& box = form.Add<TMultiLineCheckBox>("box");
  Edit& edit = form.Add<Edit>("edit");
};

TEST_F(MlChkboxTest, StartsThirtyThreeHighCentredAndWrapping) {
  EXPECT_EQ(box.Height(), 33);
  EXPECT_EQ(box.VertAlignment(), TVertAlignment::vaCenter);
  EXPECT_TRUE(box.Wordwrap());
  EXPECT_TRUE(box.WordWrap());
  EXPECT_EQ(box.WindowStyle(), kBsMultiline | kBsVCenter);
  EXPECT_EQ(box.EnabledControl(), nullptr);
}

TEST_F(MlChkboxTest, StyleChangesRecreateOnlyWhenTheValueDiffers) {
  struct Styles : ControlObserver {
    int count = 0;
    void ControlChanged(Control&, Change change) override { count += change == Change::kStyle; }
  } styles;
  box.AddObserver(styles);
  box.SetWordwrap(true);
  box.SetVertAlignment(TVertAlignment::vaCenter);
  EXPECT_EQ(styles.count, 0);
  box.SetWordwrap(false);
  box.SetVertAlignment(TVertAlignment::vaTop);
  EXPECT_EQ(styles.count, 2);
  EXPECT_EQ(box.WindowStyle(), kBsTop);
  EXPECT_EQ(box.CaptionPlacement(), VerticalPlacement::kTop);
  box.SetVertAlignment(TVertAlignment::vaBottom);
  EXPECT_EQ(box.WindowStyle(), kBsBottom);
  box.RemoveObserver(styles);
}

TEST_F(MlChkboxTest, TheLinkedControlIsEnabledWhileTheBoxIsCheckedAndEnabled) {
  box.SetEnabledControl(&edit);
  EXPECT_FALSE(edit.Enabled());
  box.Click();
  EXPECT_TRUE(edit.Enabled());
  box.SetEnabled(false);
  EXPECT_FALSE(edit.Enabled());  // checked but disabled
  box.SetChecked(true);
  EXPECT_FALSE(edit.Enabled());
  box.SetEnabled(true);
  EXPECT_TRUE(edit.Enabled());
}

TEST_F(MlChkboxTest, AssigningALinkToACheckedDisabledBoxEnablesTheControl) {
  box.SetChecked(true);
  box.SetEnabled(false);
  edit.SetEnabled(false);
  box.SetEnabledControl(&edit);
  EXPECT_TRUE(edit.Enabled());
  edit.SetEnabled(false);
  box.SetEnabledControl(&edit);  // the same control: nothing
  EXPECT_FALSE(edit.Enabled());
}

TEST_F(MlChkboxTest, DestroyingTheLinkedControlEmptiesTheLink) {
  box.SetEnabledControl(&edit);
  form.DestroyChild(edit);
  EXPECT_EQ(box.EnabledControl(), nullptr);
  box.SetChecked(true);  // touches nothing
  box.SetEnabled(false);
  box.SetChecked(false);
  auto& other = form.Add<Edit>("other");
  box.SetEnabledControl(&other);
  EXPECT_FALSE(other.Enabled());
  box.SetEnabledControl(nullptr);  // unlinked: its later removal is not reported
  form.DestroyChild(other);
  box.SetChecked(true);
  EXPECT_EQ(box.EnabledControl(), nullptr);
}

}  // namespace
}  // namespace zuba::ui
