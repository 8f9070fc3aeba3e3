#include "ui/winsform.h"

#include <gtest/gtest.h>

#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::ui {
namespace {

using namespace toolkit;

class WinsFormTest : public ::testing::Test {
 protected:
  WinsFormTest() {
    core::InitRegList(setting, false, machine.system());
    ui.SetApplicationTitle("ZubaNet ベータ版");
  }

  // The dialog shown modally; `script` plays the user inside it.
  ModalResult ShowWith(std::function<void(Form&)> script) {
    ui.QueueModal(std::move(script));
    return wins.ShowModal();
  }

  void Fill(const std::string& primary, const std::string& secondary, const std::string& scope) {
    wins.EdWpr.SetText(primary);
    wins.EdWsc.SetText(secondary);
    wins.EdWid.SetText(scope);
  }

  testing::TempMachine machine;
  ScriptedUiServices ui;
  Application app{ui};
  core::TRegList setting;
  Form& main = app.CreateForm<Form>();
  TFmWins& wins = app.CreateForm<TFmWins>(setting, machine.system());
};

TEST_F(WinsFormTest, TheDialogAsDesigned) {
  EXPECT_EQ(wins.Caption(), "WINS設定");
  EXPECT_EQ(wins.ClientWidth(), 211);
  EXPECT_EQ(wins.ClientHeight(), 139);
  EXPECT_EQ(wins.GetBorderStyle(), BorderStyle::kSingle);
  EXPECT_EQ(wins.BorderIcons(), static_cast<unsigned>(kBiSystemMenu));
  EXPECT_EQ(wins.Position(), FormPosition::kScreenCenter);
  EXPECT_EQ(wins.GetFont().name, "ＭＳ Ｐゴシック");
  EXPECT_EQ(wins.GetFont().size, 9);
  EXPECT_EQ(wins.GetFont().charset, kShiftJisCharset);
  EXPECT_EQ(wins.Label1.GetFont().color, kClBlue);
  EXPECT_EQ(wins.Label1.GetAlignment(), Alignment::kRightJustify);
  EXPECT_EQ(wins.La1.Caption(), "プライマリ\r\nWINSサーバー");
  EXPECT_EQ(wins.Label1.Caption(), "※ WINSを使用しない場合は\r\nﾌﾟﾗｲﾏﾘを空にして下さい");
  EXPECT_EQ(wins.EdWpr.Bounds(), (Rect{84, 4, 121, 20}));
  EXPECT_EQ(wins.BbOk.Bounds(), (Rect{88, 112, 121, 25}));
  EXPECT_EQ(wins.BbCancel.Bounds(), (Rect{8, 112, 77, 25}));
  EXPECT_EQ(wins.EdWpr.Tag(), 1);
  EXPECT_EQ(wins.EdWsc.Tag(), 2);
  std::vector<Control*> order = {&wins.BbOk, &wins.EdWpr, &wins.EdWsc, &wins.EdWid, &wins.BbCancel};
  for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i]->TabOrder(), int(i));
  // Shown, the focus starts on OK and Tab walks the fields.
  ShowWith([&](Form&) {
    EXPECT_TRUE(wins.BbOk.Focused());
    wins.BbOk.PressKey(vk::kTab);
    EXPECT_TRUE(wins.EdWpr.Focused());
  });
}

TEST_F(WinsFormTest, FieldsStartWithTheCurrentSettingsValues) {
  setting[core::kWp].Value = "10.0.0.1";
  setting[core::kWi].Value = "scope";
  TFmWins& other = app.CreateForm<TFmWins>(setting, machine.system());
  EXPECT_EQ(other.EdWpr.Text(), "10.0.0.1");
  EXPECT_EQ(other.EdWsc.Text(), "");
  EXPECT_EQ(other.EdWid.Text(), "scope");
  other.ClearWinsFields();
  EXPECT_EQ(other.EdWpr.Text() + other.EdWid.Text(), "");
}

TEST_F(WinsFormTest, AnEmptyPrimaryEmptiesTheOthersAndCloses) {
  Fill("　 ", "192.168.0.2", "scope");
  EXPECT_EQ(ShowWith([](Form& f) { static_cast<TFmWins&>(f).BbOk.Click(); }), ModalResult::kOk);
  EXPECT_EQ(wins.EdWpr.Text() + wins.EdWsc.Text() + wins.EdWid.Text(), "");
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(WinsFormTest, OkTrimsEveryFieldAndTakesTheScopeAsTyped) {
  Fill(" 192.168.0.1　", "", "　 my_scope*? ");
  EXPECT_EQ(ShowWith([](Form& f) { static_cast<TFmWins&>(f).BbOk.Click(); }), ModalResult::kOk);
  EXPECT_EQ(wins.EdWpr.Text(), "192.168.0.1");
  EXPECT_EQ(wins.EdWsc.Text(), "");
  EXPECT_EQ(wins.EdWid.Text(), "my_scope*?");
  EXPECT_FALSE(wins.Visible());
}

TEST_F(WinsFormTest, ABadServerKeepsTheDialogOpenWithTheFocusOnIt) {
  struct Case {
    const char* primary;
    const char* secondary;
    const char* focused;
  };
  for (const Case& c :
       {Case{" 192.168.0.1 ", "192.168.0", "EdWsc"}, Case{"192.168..1", "192.168.0.2", "EdWpr"},
        Case{"wins.example", "", "EdWpr"}}) {
    ui.ClearRecords();
    Fill(c.primary, c.secondary, "");
    bool stayed = false;
    ShowWith([&](Form& f) {
      auto& w = static_cast<TFmWins&>(f);
      w.BbOk.Click();
      stayed = w.ModalLoopRunning();
      EXPECT_EQ(w.ActiveControl()->Name(), c.focused) << c.primary;
      w.BbCancel.Click();
    });
    EXPECT_TRUE(stayed);
    ASSERT_EQ(ui.Messages().size(), 1u);
    EXPECT_EQ(ui.Messages()[0].text,
              "WINSサーバーのIP形式が誤っています\r\n\r\nWINSを使用しない場合は\r\n"
              "プライマリサーバーに何も入力しないでください");
    EXPECT_EQ(ui.Messages()[0].caption, "入力誤りです");
    EXPECT_EQ(ui.Messages()[0].icon, MessageIcon::kError);
  }
  // The primary was trimmed before the secondary failed; Cancel restores it.
  Fill(" 192.168.0.1 ", "192.168.0", "");
  ShowWith([](Form& f) {
    auto& w = static_cast<TFmWins&>(f);
    w.BbOk.Click();
    EXPECT_EQ(w.EdWpr.Text(), "192.168.0.1");
    w.ClickCloseBox();
  });
  EXPECT_EQ(wins.EdWpr.Text(), "192.168.0.1");
}

TEST_F(WinsFormTest, CancelAndEscapeRestoreWhatTheDialogWasOpenedWith) {
  Fill("192.168.0.1", "192.168.0.2", "s");
  EXPECT_EQ(ShowWith([](Form& f) {
              auto& w = static_cast<TFmWins&>(f);
              w.EdWpr.EditText("10.1.1.1");
              w.EdWid.EditText("");
              w.BbCancel.Click();
            }),
            ModalResult::kCancel);
  EXPECT_EQ(wins.EdWpr.Text(), "192.168.0.1");
  EXPECT_EQ(wins.EdWid.Text(), "s");
  ShowWith([](Form& f) {
    auto& w = static_cast<TFmWins&>(f);
    w.EdWsc.TypeText("9");
    w.EdWsc.PressKey(vk::kEscape);
  });
  EXPECT_EQ(wins.EdWsc.Text(), "192.168.0.2");
}

TEST_F(WinsFormTest, TheCloseBoxKeepsWhatWasTypedUnchecked) {
  Fill("192.168.0.1", "", "");
  ShowWith([](Form& f) {
    auto& w = static_cast<TFmWins&>(f);
    w.EdWpr.EditText(" 300.x ");
    w.ClickCloseBox();
  });
  EXPECT_EQ(wins.EdWpr.Text(), " 300.x ");
  EXPECT_TRUE(ui.Messages().empty());
}

}  // namespace
}  // namespace zuba::ui
