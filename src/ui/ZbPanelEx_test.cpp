#include "ui/ZbPanelEx.h"

#include <gtest/gtest.h>

#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/ScriptedUiServices.h"
#include "ui/TulGroupCheckBox.h"

namespace zuba::ui {
namespace {

using namespace toolkit;

// The proxy group of the main window.
class ZbPanelExTest : public ::testing::Test {
 protected:
  ZbPanelExTest() {
    cbPpe.SetTag(100);
    pnPxy.SetTag(100);
    pnPxy.SetEnabled(false);
    for (Control* c : Tagged110()) c->SetTag(110);
    cbPxyLocal.Hide();
    button1.Hide();
  }
  std::vector<Control*> Tagged110() {
    return {&cbPxyEnable, &cbPxyLocal, &label11, &edPxyAddr, &label9, &edPxyPort, &button1};
  }
  std::vector<Control*> Fields110() { return {&label11, &edPxyAddr, &label9, &edPxyPort}; }

  ScriptedUiServices ui;
  Application app{ui};
  Form& form = app.CreateForm<Form>();
  TTulGroupCheckBox& cbPpe = form.Add<TTulGroupCheckBox>("CbPpe");
  TZbPanelEx& pnPxy = form.Add<TZbPanelEx>("pnPxy");
  TTulGroupCheckBox& cbPxyEnable = pnPxy.Add<TTulGroupCheckBox>("cbPxyEnable");
  CheckBox& cbPxyLocal = pnPxy.Add<CheckBox>("cbPxyLocal");
  Label& label11 = pnPxy.Add<Label>("Label11");
  Edit& edPxyAddr = pnPxy.Add<Edit>("edPxyAddr");
  Label& label9 = pnPxy.Add<Label>("Label9");
  Edit& edPxyPort = pnPxy.Add<Edit>("edPxyPort");
  Button& button1 = pnPxy.Add<Button>("Button1");
  Label& label10 = pnPxy.Add<Label>("Label10");
  Edit& edPxyAutoUrl = pnPxy.Add<Edit>("edPxyAutoURL");
};

TEST_F(ZbPanelExTest, EnablingThePanelWithProxyOffLeavesTheProxyFieldsDisabled) {
  ASSERT_TRUE(cbPpe.Click());
  EXPECT_TRUE(pnPxy.Enabled());
  EXPECT_TRUE(cbPxyEnable.Enabled());
  for (Control* c : Fields110()) EXPECT_FALSE(c->Enabled()) << c->Name();
  EXPECT_TRUE(label10.Enabled());
  EXPECT_TRUE(edPxyAutoUrl.Enabled());
  EXPECT_FALSE(edPxyAddr.TypeText("x"));
  EXPECT_TRUE(edPxyAutoUrl.TypeText("x"));
}

TEST_F(ZbPanelExTest, EnablingWithProxyOnEnablesTheFields) {
  cbPxyEnable.SetChecked(true);
  cbPpe.SetChecked(true);
  for (Control* c : Fields110()) EXPECT_TRUE(c->Enabled()) << c->Name();
  EXPECT_TRUE(edPxyAddr.Usable());
}

TEST_F(ZbPanelExTest, DisablingWithProxyOnMarksTheFieldsEnabledButNothingIsUsable) {
  cbPpe.SetChecked(true);
  cbPxyEnable.SetChecked(true);
  int clicks = 0;
  cbPxyEnable.SetOnClick([&](Component&) { ++clicks; });
  cbPpe.SetChecked(false);
  EXPECT_FALSE(pnPxy.Enabled());
  EXPECT_FALSE(cbPxyEnable.Enabled());
  for (Control* c : Fields110()) {
    EXPECT_TRUE(c->Enabled()) << c->Name();
    EXPECT_FALSE(c->Usable()) << c->Name();
  }
  EXPECT_FALSE(edPxyAutoUrl.Enabled());
  EXPECT_EQ(clicks, 0);  // re-setting the same state raises no click
}

TEST_F(ZbPanelExTest, GroupBoxesInsideNestedContainersReapplyTheirGroupsToo) {
  auto& inner = pnPxy.Add<Panel>("inner");
  auto& box = inner.Add<TTulGroupCheckBox>("box");
  box.SetTag(7);
  auto& field = inner.Add<Edit>("field");
  field.SetTag(7);
  auto& grayed = inner.Add<TTulGroupCheckBox>("grayed");
  grayed.SetTag(8);
  grayed.SetAllowGrayed(true);
  grayed.SetState(CheckState::kGrayed);
  auto& eight = inner.Add<Edit>("eight");
  eight.SetTag(8);
  cbPpe.SetChecked(true);
  EXPECT_TRUE(inner.Enabled());
  EXPECT_TRUE(box.Enabled());
  EXPECT_FALSE(field.Enabled());
  EXPECT_EQ(grayed.State(), CheckState::kGrayed);
  EXPECT_FALSE(eight.Enabled());
}

}  // namespace
}  // namespace zuba::ui
