#include "toolkit/Form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "system/Errors.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Panel.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::toolkit {
namespace {

class FormTest : public ::testing::Test {
 protected:
  ScriptedUiServices ui;
  Application app{ui};
  Form& form = app.CreateForm<Form>();
};

TEST_F(FormTest, KeyPreviewSeesKeysFirstAndCanSwallowThem) {
  auto& edit = form.Add<Edit>("edit");
  std::vector<std::string> seen;
  form.SetKeyPreview(true);
  form.SetOnKeyPress([&](Component&, char& key) {
    seen.push_back("form");
    if (key == 'x') key = 0;
    if (key == 'a') key = 'b';
  });
  edit.SetOnKeyPress([&](Component&, char&) { seen.push_back("edit"); });
  edit.TypeText("xa");
  EXPECT_EQ(edit.Text(), "b");
  EXPECT_EQ(seen, (std::vector<std::string>{"form", "form", "edit"}));
}

TEST_F(FormTest, EscapePressesTheEnabledCancelButtonElseReachesTheForm) {
  auto& combo = form.Add<ComboBox>("CbSetting");
  auto& cancel = form.Add<Button>("BbCan");
  cancel.SetCancel(true);
  int cancelClicks = 0;
  cancel.SetOnClick([&](Component&) { ++cancelClicks; });
  form.SetKeyPreview(true);
  int escapes = 0;
  form.SetOnKeyPress([&](Component&, char& key) {
    if (key == '\x1b') ++escapes;
  });
  combo.PressKey(vk::kEscape);
  EXPECT_EQ(cancelClicks, 1);
  EXPECT_EQ(escapes, 0);
  cancel.SetEnabled(false);
  combo.PressKey(vk::kEscape);
  EXPECT_EQ(cancelClicks, 1);
  EXPECT_EQ(escapes, 1);
  // A key-down handler that swallows the key stops everything after it.
  cancel.SetEnabled(true);
  combo.SetOnKeyDown([](Component&, std::uint16_t& key, ShiftState) {
    if (key == vk::kEscape) key = 0;
  });
  combo.PressKey(vk::kEscape);
  EXPECT_EQ(cancelClicks, 1);
  EXPECT_EQ(escapes, 1);
}

TEST_F(FormTest, ReturnReachesTheEditWithoutADefaultButtonAndShiftTravels) {
  auto& edit = form.Add<Edit>("edit");
  std::vector<std::uint16_t> downs;
  std::vector<unsigned> shifts;
  edit.SetOnKeyDown([&](Component&, std::uint16_t& key, ShiftState shift) {
    downs.push_back(key);
    shifts.push_back(shift.Flags());
  });
  int returns = 0;
  edit.SetOnKeyPress([&](Component&, char& key) {
    if (key == '\r') {
      ++returns;
      key = 0;
    }
  });
  edit.PressKey(vk::kReturn, kShiftKey);
  EXPECT_EQ(returns, 1);
  EXPECT_EQ(downs, (std::vector<std::uint16_t>{vk::kReturn}));
  EXPECT_EQ(shifts, (std::vector<unsigned>{kShiftKey}));
  auto& ok = form.Add<Button>("ok");
  ok.SetDefault(true);
  int okClicks = 0;
  ok.SetOnClick([&](Component&) { ++okClicks; });
  edit.PressKey(vk::kReturn);
  EXPECT_EQ(okClicks, 1);
  EXPECT_EQ(returns, 1);
}

TEST_F(FormTest, F1ShowsTheNearestHelpContext) {
  app.SetHelpFile("C:\\ZUBANET\\Zubanet.hlp");
  form.SetHelpContext(50);
  auto& panel = form.Add<Panel>("panel");
  panel.SetHelpContext(34);
  auto& edit = panel.Add<Edit>("edit");
  auto& other = form.Add<Edit>("other");
  edit.PressKey(vk::kF1);
  other.PressKey(vk::kF1);
  ASSERT_EQ(ui.HelpRequests().size(), 2u);
  EXPECT_EQ(ui.HelpRequests()[0].context, 34);
  EXPECT_EQ(ui.HelpRequests()[1].context, 50);
}

struct Dialog : Form {
  explicit Dialog(Application& a) : Form(a) {
    SetName("Dialog");
    ok.SetModalResult(ModalResult::kOk);
    cancel.SetCancel(true);
    cancel.SetModalResult(ModalResult::kCancel);
  }
  Edit& field = Add<Edit>("field");
  Button& ok = Add<Button>("ok");
  Button& cancel = Add<Button>("cancel");
};

TEST_F(FormTest, ShowModalRunsTheScriptAndAnswersTheButtonsResult) {
  auto& dialog = app.CreateForm<Dialog>();
  int shows = 0;
  dialog.SetOnShow([&](Component&) { ++shows; });
  ui.QueueModal([](Form& f) {
    auto& d = static_cast<Dialog&>(f);
    d.field.TypeText("abc");
    d.ok.Click();
  });
  EXPECT_EQ(dialog.ShowModal(), ModalResult::kOk);
  EXPECT_EQ(dialog.field.Text(), "abc");
  EXPECT_FALSE(dialog.Visible());
  ui.QueueModal([](Form& f) { f.PressKey(vk::kEscape); });
  EXPECT_EQ(dialog.ShowModal(), ModalResult::kCancel);
  // Without a script the close box ends the loop.
  EXPECT_EQ(dialog.ShowModal(), ModalResult::kCancel);
  EXPECT_EQ(shows, 3);
  EXPECT_EQ(ui.ModalForms(), (std::vector<std::string>{"Dialog", "Dialog", "Dialog"}));
}

TEST_F(FormTest, TheModalResultIsSetBeforeTheHandlerSoAFailingHandlerStillCloses) {
  auto& dialog = app.CreateForm<Dialog>();
  dialog.ok.SetOnClick([](Component&) { throw system::Exception("書き込めません"); });
  ui.QueueModal([](Form& f) { static_cast<Dialog&>(f).ok.Click(); });
  EXPECT_EQ(dialog.ShowModal(), ModalResult::kOk);
  ASSERT_EQ(ui.Messages().size(), 1u);
}

TEST_F(FormTest, ACloseHandlerCanKeepAModalFormOpen) {
  auto& dialog = app.CreateForm<Dialog>();
  int refusals = 1;
  dialog.SetOnClose([&](Component&, CloseAction& action) {
    if (refusals > 0) {
      --refusals;
      action = CloseAction::kNone;
    }
  });
  std::vector<ModalResult> during;
  ui.QueueModal([&](Form& f) {
    auto& d = static_cast<Dialog&>(f);
    d.ok.Click();
    during.push_back(d.GetModalResult());
    d.cancel.Click();
  });
  EXPECT_EQ(dialog.ShowModal(), ModalResult::kCancel);
  EXPECT_EQ(during, (std::vector<ModalResult>{ModalResult::kNone}));
  EXPECT_THROW(
      {
        dialog.Show();
        dialog.ShowModal();
      },
      system::Exception);
}

}  // namespace
}  // namespace zuba::toolkit
