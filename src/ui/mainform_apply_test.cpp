#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <tuple>
#include <utility>

#include "platform/sim/MachineConfig.h"
#include "testing/NetMachine.h"
#include "testing/TempMachine.h"
#include "toolkit/Application.h"
#include "switch/SwitchJournal.h"
#include "toolkit/ScriptedUiServices.h"
#include "ui/mainform.h"

namespace zuba::ui {
namespace {

using toolkit::MessageResult;

constexpr char kSettingsPath[] = "C:\\ZUBANET\\ZUBANET.INI";
constexpr char kAdapterKey[] = "System\\CurrentControlSet\\Services\\Class\\NetTrans\\0000";
constexpr char kTitle[] = "ZubaNet ベータ版";

// The main window on a template machine, with the settings Home and Office
// in the list and Office's adapter entry in the settings file. The recall is
// not what is tested here: each test puts the recalled setting into
// CurrentSetting itself.
class MainFormApplyTest : public ::testing::Test {
 protected:
  MainFormApplyTest()
      : ui_([this](const toolkit::ScriptedUiServices::Message&) {
          visibleAtBox_.push_back(form_ && form_->Visible());
        }) {
    ui_.SetApplicationTitle(kTitle);
    app_.SetTitle(kTitle);
    for (const auto& [section, key, value] :
         {std::tuple<const char*, const char*, const char*>{"Initialize", "IniConvert", "1"},
          {"NIC_registry_list", "Office", "0000"},
          {"Office", "ip", "10.1.2.3"},
          {"Office", "gw", "10.1.2.1"},
          {"Office", "ms", "255.255.0.0"}}) {
      machine_.profiles().WriteString(section, key, value, kSettingsPath);
    }
  }

  TForm1& Create(std::vector<std::string> commandLine = {}) {
    form_ = &app_.CreateForm<TForm1>(machine_.registry(), machine_.files(), machine_.profiles(),
                                     machine_.system(), std::move(commandLine));
    form_->CbSetting.SetItems({"Home", "Office"});
    return *form_;
  }
  // Selects `name` and makes `items` the recalled setting.
  void Recall(const std::string& name,
              const std::vector<std::pair<std::string, std::string>>& items) {
    form_->CbSetting.SetItemIndex(form_->CbSetting.IndexOf(name));
    core::InitRegList(form_->CurrentSetting, false, machine_.system());
    for (const auto& [code, value] : items) {
      core::TNetReg& item = form_->CurrentSetting[core::FindItemIndex(code)];
      item.Value = value;
      item.IsSet = true;
    }
  }
  void RecallTcpIp() {
    Recall("Office", {{"ip", "10.1.2.3"}, {"ms", "255.255.0.0"}, {"gw", "10.1.2.1"}});
  }

  std::string Pending() { return machine_.machine().config->Get("Power", "Pending"); }
  std::string Address() {
    return testing::ValueText(machine_.registry(), platform::kHkeyLocalMachine, kAdapterKey,
                              "IPAddress");
  }
  std::string Previous() {
    std::string value;
    machine_.profiles().GetString("Initialize", "Previous", "<none>", &value, 2048, kSettingsPath);
    return value;
  }
  void Machine(const std::string& section, const std::string& key, const std::string& value) {
    ASSERT_TRUE(machine_.machine().config->Set(section, key, value));
  }

  testing::TempMachine machine_;
  std::vector<bool> visibleAtBox_;  // the window's visibility at each box shown
  TForm1* form_ = nullptr;
  toolkit::ScriptedUiServices ui_;
  toolkit::Application app_{ui_};
};

TEST_F(MainFormApplyTest, NothingSelectedEndsTheProgramWithoutApplying) {
  TForm1& form = Create();
  form.Show();
  const std::string address = Address();
  ASSERT_TRUE(form.BtApply.Click());
  EXPECT_TRUE(app_.Terminated());
  EXPECT_EQ(Address(), address);
  EXPECT_EQ(Previous(), "<none>");
  EXPECT_TRUE(ui_.Messages().empty());
}

class RestartAnswerTest : public MainFormApplyTest,
                          public ::testing::WithParamInterface<std::pair<MessageResult, const char*>> {};

TEST_P(RestartAnswerTest, DefaultOptionsAskWithTheSettingsNameAndTheAnswerEndsAsItSays) {
  const auto& [answer, pending] = GetParam();
  TForm1& form = Create();
  RecallTcpIp();
  form.Show();
  ui_.QueueAnswer(answer);
  ASSERT_TRUE(form.BtApply.Click());
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Messages()[0].caption, "【Office】 を反映しました");
  EXPECT_EQ(ui_.Messages()[0].buttons, toolkit::MessageButtons::kYesNoCancel);
  EXPECT_EQ(visibleAtBox_, std::vector<bool>{true});
  EXPECT_EQ(Address(), "\"10.1.2.3\"");
  EXPECT_EQ(Pending(), pending);
  EXPECT_EQ(form.PowerOffInstead, answer == MessageResult::kNo);
  EXPECT_TRUE(app_.Terminated());
}

INSTANTIATE_TEST_SUITE_P(YesNoCancel, RestartAnswerTest,
                         ::testing::Values(std::make_pair(MessageResult::kYes, "restart-windows"),
                                           std::make_pair(MessageResult::kNo, "poweroff"),
                                           std::make_pair(MessageResult::kCancel, "")));

TEST_F(MainFormApplyTest, OptionsKeysAndSwitchesDecideWithoutAsking) {
  TForm1& form = Create();
  RecallTcpIp();
  form.PmOpt4.SetChecked(false);  // a restart reboots
  form.PmOpt5.SetChecked(false);  // no question
  form.Show();
  ASSERT_TRUE(form.BtApply.Click());
  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_EQ(Pending(), "reboot");
  EXPECT_TRUE(app_.Terminated());
}

TEST_F(MainFormApplyTest, CtrlHeldAtTheClickTurnsTheRestartIntoAPowerOff) {
  TForm1& form = Create();
  RecallTcpIp();
  Machine("Keyboard", "Down", "Ctrl");
  form.Show();
  ui_.QueueAnswer(MessageResult::kYes);
  ASSERT_TRUE(form.BtApply.Click());
  EXPECT_TRUE(form.PowerOffInstead);
  EXPECT_EQ(Pending(), "poweroff");
}

TEST_F(MainFormApplyTest, ProxyOnlySettingStillAsksWithOpt2AndEndsWithoutQuestionWithout) {
  TForm1& form = Create();
  Recall("Home", {{"pe", "0"}, {"pv", "proxy:80"}, {"pa", ""}});
  form.Show();
  ui_.QueueAnswer(MessageResult::kCancel);
  ASSERT_TRUE(form.BtApply.Click());
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Messages()[0].caption, "【Home】 を反映しました");
  EXPECT_EQ(Pending(), "");
  EXPECT_EQ(Previous(), "Home");
  EXPECT_TRUE(app_.Terminated());
}

TEST_F(MainFormApplyTest, WindowIsHiddenWhileApplyingAndComesBackWithTheErrorAfterAFailure) {
  TForm1& form = Create();
  RecallTcpIp();
  form.CurrentSetting[core::kGw].Vtype = '?';  // shows the type error while applying
  Machine("Fail", "WriteFile:C:\\ZUBANET\\ZUBANET.INI", "5");
  form.Show();
  ASSERT_TRUE(form.BtApply.Click());
  ASSERT_EQ(ui_.Messages().size(), 2u);
  EXPECT_EQ(ui_.Messages()[0].text, "Apply: Vtype Error\r\nDefaultGateway");
  EXPECT_EQ(ui_.Messages()[1].caption, kTitle);
  EXPECT_EQ(ui_.Messages()[1].icon, toolkit::MessageIcon::kError);
  EXPECT_EQ(ui_.Messages()[1].text.substr(0, ui_.Messages()[1].text.find("\r\n")),
            "C:\\ZUBANET\\Zubanet.ini に書き込めません");
  // Hidden while writing and while the error is told; back afterwards.
  EXPECT_EQ(visibleAtBox_, (std::vector<bool>{false, false}));
  EXPECT_TRUE(form.Visible());
  EXPECT_FALSE(app_.Terminated());
  EXPECT_EQ(Address(), "\"10.1.2.3\"");  // what was written stays
  EXPECT_EQ(Pending(), "");              // and nothing restarts
}

TEST_F(MainFormApplyTest, RefusedShutDownIsShownAndTheWindowStays) {
  TForm1& form = Create();
  RecallTcpIp();
  form.NoRestartQuestion = true;
  form.PowerOffInstead = true;
  Machine("Fail", "ExitWindowsEx", "5");
  form.Show();
  ASSERT_TRUE(form.BtApply.Click());
  ASSERT_EQ(ui_.Messages().size(), 1u);
  EXPECT_EQ(ui_.Messages()[0].text, "コンピュータの電源を切るのに失敗しました。");
  EXPECT_EQ(visibleAtBox_, std::vector<bool>{true});
  EXPECT_TRUE(form.Visible());
  EXPECT_FALSE(app_.Terminated());
}

TEST_F(MainFormApplyTest, ShiftReturnInTheListAppliesInEditModeToo) {
  TForm1& form = Create();
  RecallTcpIp();
  form.Show();
  form.BtConfig.Click();
  ui_.QueueAnswer(MessageResult::kCancel);
  ASSERT_TRUE(form.CbSetting.PressKey(toolkit::vk::kReturn, toolkit::kShiftKey));
  EXPECT_EQ(Address(), "\"10.1.2.3\"");
  EXPECT_EQ(Previous(), "Office");
  EXPECT_TRUE(app_.Terminated());
}

TEST_F(MainFormApplyTest, CommandLineAppliesAtFirstShowAndPowersOffWithoutAsking) {
  TForm1& form = Create({"/c", "/e", "Office"});
  RecallTcpIp();
  form.CbSetting.SetItemIndex(-1);
  form.Show();
  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_EQ(Previous(), "Office");
  EXPECT_EQ(Pending(), "poweroff");
  EXPECT_TRUE(app_.Terminated());
}

TEST_F(MainFormApplyTest, UnknownNameOnTheCommandLineEmptiesPreviousAndEndsSilently) {
  machine_.profiles().WriteString("Initialize", "Previous", "Home", kSettingsPath);
  TForm1& form = Create({"Elsewhere", "/c"});
  form.Show();
  EXPECT_TRUE(ui_.Messages().empty());
  EXPECT_EQ(Previous(), "");
  EXPECT_EQ(Pending(), "");
  EXPECT_TRUE(app_.Terminated());
}

// Where the machine stands plans each saved setting without showing it:
// the request it builds is the one the window makes after recalling the
// setting (a printer not installed dropped, WINS off for a fixed address
// without a node type, the logon choice clamped, the hosts files' targets).
TEST_F(MainFormApplyTest, TheStoredRequestIsTheWindowsOwnAfterTheRecall) {
  const std::vector<std::pair<const char*, std::vector<std::pair<const char*, const char*>>>>
      settings = {
          {"Office", {{"ip", "10.1.2.3"}, {"gw", "10.1.2.1"}, {"ms", "255.255.0.0"}}},
          {"Dhcp", {{"ip", "0.0.0.0"}, {"ms", "0.0.0.0"}, {"pr", "カラー プリンタ"}}},
          {"Gone", {{"pr", "ありません"}, {"wg", "GONE"}, {"lo", "7"}, {"fs", "Yes"}}},
          {"Files", {{"hh", "C:\\WINDOWS\\hosts.office"}, {"hl", "C:\\WINDOWS\\lmhosts.office"},
                     {"wg", "FILES"}, {"lo", "0"}, {"ld", "DOM"}}}};
  for (const auto& [name, items] : settings) {
    for (const auto& [code, value] : items) {
      machine_.profiles().WriteString(name, code, value, kSettingsPath);
    }
    machine_.profiles().WriteString("NIC_registry_list", name, "0000", kSettingsPath);
  }
  TForm1& form = Create();
  form.LoadSettingList();
  switching::SwitchJournal journal({machine_.registry(), machine_.files(), machine_.profiles(),
                                    machine_.system()},
                                   ui_, switching::JournalPathFor(kSettingsPath));
  for (const auto& [name, items] : settings) {
    form.CbSetting.SetItemIndex(form.CbSetting.IndexOf(name));
    form.CbSettingChange(form.CbSetting);
    ui_.ClearRecords();
    form.ShowPreview();
    ASSERT_EQ(ui_.Messages().size(), 1u) << name;
    EXPECT_EQ(switching::PreviewText(journal.Plan(form.StoredRequest(name))),
              ui_.Messages()[0].text)
        << name;
  }
}

}  // namespace
}  // namespace zuba::ui
