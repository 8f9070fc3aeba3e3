#include "ui/PanelEx.h"

#include <gtest/gtest.h>

#include "toolkit/Application.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/Picture.h"
#include "toolkit/ScriptedUiServices.h"
#include "ui/TulGroupCheckBox.h"

namespace zuba::ui {
namespace {

using namespace toolkit;

class PanelExTest : public ::testing::Test {
 protected:
  ScriptedUiServices ui;
  Application app{ui};
  Form& form = app.CreateForm<Form>();
};

TEST_F(PanelExTest, TheDialUpBoxSwitchesItsPanelAndEverythingInItLabelsIncluded) {
  auto& cbPpp = form.Add<TTulGroupCheckBox>("CbPpp");
  cbPpp.SetTag(200);
  auto& pnPpp = form.Add<TPanelEx>("PnPpp");
  pnPpp.SetTag(200);
  pnPpp.SetEnabled(false);
  auto& image = pnPpp.Add<Picture>("Image4");
  auto& cbPtl = pnPpp.Add<ComboBox>("CbPtl");
  cbPtl.SetTag(31);
  auto& label = pnPpp.Add<Label>("Label3");
  auto& cbPac = pnPpp.Add<CheckBox>("CbPac");
  EXPECT_FALSE(cbPac.Usable());
  ASSERT_TRUE(cbPpp.Click());
  EXPECT_TRUE(pnPpp.Enabled());
  for (Control* c : {static_cast<Control*>(&image), static_cast<Control*>(&cbPtl),
                     static_cast<Control*>(&label), static_cast<Control*>(&cbPac)}) {
    EXPECT_TRUE(c->Enabled()) << c->Name();
  }
  cbPpp.SetChecked(false);
  for (Control* c : {static_cast<Control*>(&image), static_cast<Control*>(&cbPtl),
                     static_cast<Control*>(&label), static_cast<Control*>(&cbPac)}) {
    EXPECT_FALSE(c->Enabled()) << c->Name();
  }
}

TEST_F(PanelExTest, DisablingAPanelReachesIntoNestedPanelsAndGroupBoxes) {
  auto& outer = form.Add<TPanelEx>("outer");
  auto& inner = outer.Add<TPanelEx>("inner");
  auto& edit = inner.Add<Edit>("edit");
  auto& group = outer.Add<GroupBox>("group");
  auto& label = group.Add<Label>("label");
  outer.SetEnabled(false);
  EXPECT_FALSE(inner.Enabled());
  EXPECT_FALSE(edit.Enabled());
  EXPECT_FALSE(group.Enabled());
  EXPECT_FALSE(label.Enabled());
  outer.SetEnabled(true);
  EXPECT_TRUE(edit.Enabled());
  EXPECT_TRUE(label.Enabled());
}

TEST_F(PanelExTest, UpdateParentPassesTheStateUpAndRepaintsAGroupBox) {
  struct Repaints : ControlObserver {
    int count = 0;
    void ControlChanged(Control& c, Change change) override {
      if (change == Change::kRepaint && c.Name() == "group") ++count;
    }
  } repaints;
  auto& group = form.Add<GroupBox>("group");
  auto& panel = group.Add<TPanelEx>("panel");
  group.AddObserver(repaints);
  panel.SetEnabled(false);
  EXPECT_TRUE(group.Enabled());
  panel.SetUpdateParent(true);
  panel.SetEnabled(true);
  panel.SetEnabled(false);
  EXPECT_FALSE(group.Enabled());
  EXPECT_GE(repaints.count, 1);
  group.RemoveObserver(repaints);
}

}  // namespace
}  // namespace zuba::ui
