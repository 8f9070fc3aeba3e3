#include "toolkit/Application.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "system/Errors.h"
#include "system/ZubaUtil.h"
#include "testing/TempMachine.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Form.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::toolkit {
namespace {

class ApplicationTest : public ::testing::Test {
 protected:
  ApplicationTest() { app.SetTitle("ZubaNet ベータ版"); }
  ScriptedUiServices ui;
  Application app{ui};
  Form& form = app.CreateForm<Form>();
};

TEST_F(ApplicationTest, AnErrorLeavingAHandlerIsShownAndTheProgramGoesOn) {
  auto& button = form.Add<Button>("button");
  int clicks = 0;
  button.SetOnClick([&](Component&) {
    ++clicks;
    throw system::ERegistryException("レジストリに書き込めません");
  });
  EXPECT_TRUE(button.Click());
  EXPECT_TRUE(button.Click());
  EXPECT_EQ(clicks, 2);
  ASSERT_EQ(ui.Messages().size(), 2u);
  const auto& shown = ui.Messages()[0];
  EXPECT_EQ(shown.text, "レジストリに書き込めません");
  EXPECT_EQ(shown.caption, "ZubaNet ベータ版");
  EXPECT_EQ(shown.icon, MessageIcon::kError);
  EXPECT_EQ(shown.buttons, MessageButtons::kOk);
}

TEST_F(ApplicationTest, AnErrorInAHandlerRaisedByProgramEndsTheWholeChain) {
  // A click handler sets a check box whose own click handler fails: the
  // outer handler stops there and the error is shown once.
  auto& button = form.Add<Button>("button");
  auto& box = form.Add<CheckBox>("box");
  box.SetOnClick([](Component&) { throw std::runtime_error("inner"); });
  bool reachedEnd = false;
  button.SetOnClick([&](Component&) {
    box.SetChecked(true);
    reachedEnd = true;
  });
  button.Click();
  EXPECT_FALSE(reachedEnd);
  EXPECT_TRUE(box.Checked());
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].text, "inner");
  // Set by program outside any handler, the failing handler is outermost.
  box.SetChecked(false);
  EXPECT_EQ(ui.Messages().size(), 2u);
}

TEST_F(ApplicationTest, AnErrorInOnCreateIsShownAndTheFormStillExists) {
  struct Failing : Form {
    explicit Failing(Application& a) : Form(a) {
      SetOnCreate([](Component&) { throw system::Exception("作成できません"); });
    }
  };
  auto& failing = app.CreateForm<Failing>();
  EXPECT_EQ(app.MainForm(), &form);
  EXPECT_EQ(app.Forms().back(), &failing);
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].text, "作成できません");
}

TEST_F(ApplicationTest, PlainMessageCarriesTheTitleNoIconAndOk) {
  ui.ShowPlainMessage("ZubaNetはWin95/98専用です");
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].caption, "ZubaNet ベータ版");
  EXPECT_EQ(ui.Messages()[0].icon, MessageIcon::kNone);
  EXPECT_EQ(ui.Messages()[0].buttons, MessageButtons::kOk);
}

TEST_F(ApplicationTest, TheTextUtilitiesShowAndWaitThroughTheServices) {
  system::ShowInfoBox(ui, "設定を保存しました");
  ASSERT_EQ(ui.Messages().size(), 1u);
  EXPECT_EQ(ui.Messages()[0].caption, "ZubaNet ベータ版");
  // A user acting while the program waits: the click is handled as usual.
  auto& button = form.Add<Button>("button");
  int clicks = 0;
  button.SetOnClick([&](Component&) { ++clicks; });
  ui.QueueIdle([&] { button.Click(); });
  testing::TempMachine machine;
  system::WaitProcessingMessages(ui, machine.system(), 30);
  EXPECT_EQ(clicks, 1);
  EXPECT_GE(ui.ProcessMessagesCalls(), 1);
}

TEST_F(ApplicationTest, HelpNeedsAHelpFileAndAContext) {
  EXPECT_FALSE(app.HelpContext(50));
  app.SetHelpFile("C:\\ZUBANET\\Zubanet.hlp");
  EXPECT_FALSE(app.HelpContext(0));
  EXPECT_TRUE(app.HelpContext(50));
  ASSERT_EQ(ui.HelpRequests().size(), 1u);
  EXPECT_EQ(ui.HelpRequests()[0].helpFile, "C:\\ZUBANET\\Zubanet.hlp");
  EXPECT_EQ(ui.HelpRequests()[0].context, 50);
}

TEST_F(ApplicationTest, ClosingTheMainFormTerminatesAndOtherFormsHide) {
  auto& other = app.CreateForm<Form>();
  other.Show();
  other.Close();
  EXPECT_FALSE(other.Visible());
  EXPECT_FALSE(app.Terminated());
  form.Show();
  bool refuse = true;
  form.SetOnCloseQuery([&](Component&, bool& canClose) { canClose = !refuse; });
  EXPECT_TRUE(form.ClickCloseBox());
  EXPECT_FALSE(app.Terminated());
  refuse = false;
  form.ClickCloseBox();
  EXPECT_TRUE(app.Terminated());
  EXPECT_TRUE(ui.QuitRequested());
}

TEST_F(ApplicationTest, AFailingCloseHandlerDoesNotKeepTheProgramFromEnding) {
  form.SetOnClose([](Component&, CloseAction&) { throw system::Exception("書き込めません"); });
  form.ClickCloseBox();
  EXPECT_EQ(ui.Messages().size(), 1u);
  EXPECT_TRUE(app.Terminated());
}

TEST_F(ApplicationTest, MenuChoiceRunsTheItemAsAUserActionAndSkipsDisabledItems) {
  auto& menu = form.Add<PopupMenu>("PmOpt");
  auto& opt1 = menu.AddItem("PmOpt1");
  auto& opt2 = menu.AddItem("PmOpt2");
  opt1.SetOnClick([&](Component&) { opt1.SetChecked(!opt1.Checked()); });
  opt2.SetEnabled(false);
  bool opt2Ran = false;
  opt2.SetOnClick([&](Component&) { opt2Ran = true; });
  ui.QueueMenuChoice("PmOpt1");
  ui.QueueMenuChoice("PmOpt2");
  menu.Popup(10, 20);
  menu.Popup(10, 20);
  menu.Popup(10, 20);
  EXPECT_TRUE(opt1.Checked());
  EXPECT_FALSE(opt2Ran);
  ASSERT_EQ(ui.MenusShown().size(), 3u);
  EXPECT_EQ(ui.MenusShown()[0].chosen, "PmOpt1");
  EXPECT_EQ(ui.MenusShown()[2].chosen, "");
}

TEST_F(ApplicationTest, ScriptedAnswersFitTheButtonsOrWait) {
  ui.QueueAnswer(MessageResult::kCancel);
  // An OK box cannot take Cancel: it answers OK and Cancel waits.
  EXPECT_EQ(ui.ShowMessageBox("a", "c", MessageIcon::kNone, MessageButtons::kOk),
            MessageResult::kOk);
  EXPECT_EQ(ui.ShowMessageBox("b", "c", MessageIcon::kQuestion, MessageButtons::kOkCancel),
            MessageResult::kCancel);
  EXPECT_EQ(ui.ShowMessageBox("d", "c", MessageIcon::kQuestion, MessageButtons::kYesNoCancel),
            MessageResult::kYes);
  ui.ShowWarningDialog("警告", "text", "はい(&Y)");
  ASSERT_EQ(ui.Messages().size(), 4u);
  EXPECT_EQ(ui.Messages()[3].button, "はい(&Y)");
  EXPECT_EQ(ui.Messages()[3].icon, MessageIcon::kWarning);
}

}  // namespace
}  // namespace zuba::toolkit
