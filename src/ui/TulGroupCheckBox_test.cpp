#include "ui/TulGroupCheckBox.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/ScriptedUiServices.h"
#include "ui/PanelEx.h"

namespace zuba::ui {
namespace {

using namespace toolkit;

class TulGroupCheckBoxTest : public ::testing::Test {
 protected:
  ScriptedUiServices ui;
  Application app{ui};
  Form& form = app.CreateForm<Form>();
};

TEST_F(TulGroupCheckBoxTest, TheThreeStateDnsBoxEnablesItsPanelOnlyWhenChecked) {
  auto& cbDde = form.Add<TTulGroupCheckBox>("CbDde");
  cbDde.SetTag(400);
  cbDde.SetAllowGrayed(true);
  auto& pnDns = form.Add<TPanelEx>("PnDns");
  pnDns.SetTag(400);
  auto& edDhs = pnDns.Add<Edit>("EdDhs");
  edDhs.SetTag(21);
  std::vector<std::string> captions;
  cbDde.SetOnClick([&](Component&) {
    captions.push_back(cbDde.State() == CheckState::kGrayed ? "grayed"
                       : cbDde.Checked()                    ? "checked"
                                                            : "unchecked");
  });
  cbDde.SetState(CheckState::kGrayed);
  EXPECT_FALSE(pnDns.Enabled());
  EXPECT_FALSE(edDhs.Enabled());
  cbDde.Click();  // grayed -> checked
  EXPECT_TRUE(pnDns.Enabled());
  EXPECT_TRUE(edDhs.Enabled());
  cbDde.Click();  // checked -> unchecked
  EXPECT_FALSE(pnDns.Enabled());
  cbDde.Click();  // unchecked -> grayed
  EXPECT_FALSE(pnDns.Enabled());
  EXPECT_EQ(captions, (std::vector<std::string>{"grayed", "checked", "unchecked", "grayed"}));
}

TEST_F(TulGroupCheckBoxTest, ABoxWithTagZeroSwitchesNothingUnlessActiveTag0) {
  auto& box = form.Add<TTulGroupCheckBox>("box");
  auto& untagged = form.Add<Edit>("untagged");
  auto& label = form.Add<Label>("label");
  box.SetChecked(false);
  EXPECT_TRUE(untagged.Enabled());
  EXPECT_TRUE(label.Enabled());
  box.SetActiveTag0(true);
  box.SetChecked(false);
  EXPECT_FALSE(untagged.Enabled());
  EXPECT_FALSE(label.Enabled());
  EXPECT_TRUE(box.Enabled());  // never itself
}

TEST_F(TulGroupCheckBoxTest, OnlyDirectSiblingsWithTheTagFollowAndLateOnesWaitForTheNextChange) {
  auto& box = form.Add<TTulGroupCheckBox>("box");
  box.SetTag(5);
  auto& sibling = form.Add<Edit>("sibling");
  sibling.SetTag(5);
  auto& other = form.Add<Edit>("other");
  other.SetTag(6);
  auto& panel = form.Add<TPanelEx>("panel");
  auto& nested = panel.Add<Edit>("nested");
  nested.SetTag(5);
  box.SetChecked(false);
  EXPECT_FALSE(sibling.Enabled());
  EXPECT_TRUE(other.Enabled());
  EXPECT_TRUE(nested.Enabled());
  auto& late = form.Add<Edit>("late");
  late.SetTag(5);
  EXPECT_TRUE(late.Enabled());
  box.SetChecked(false);  // the same state again still applies the group
  EXPECT_FALSE(late.Enabled());
}

}  // namespace
}  // namespace zuba::ui
