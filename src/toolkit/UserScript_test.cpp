#include "toolkit/UserScript.h"

#include <gtest/gtest.h>

#include <sstream>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/FormDump.h"
#include "toolkit/ListBox.h"
#include "toolkit/RadioGroup.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::toolkit {
namespace {

UserAction Parsed(const std::string& text) {
  UserAction action;
  std::string error;
  EXPECT_TRUE(ParseUserAction(text, &action, &error)) << error;
  return action;
}

TEST(UserScriptTest, ParsesActionsAndNamesWhatIsMalformed) {
  UserAction key = Parsed("key EdTgw shift+Ctrl+Return");
  EXPECT_EQ(key.verb, UserAction::Verb::kKey);
  EXPECT_EQ(key.name, "EdTgw");
  EXPECT_EQ(key.key, vk::kReturn);
  EXPECT_TRUE(key.shift.KeysAre(kShiftKey | kCtrlKey));
  EXPECT_EQ(Parsed("key Form1 F1").shift.Flags(), 0u);
  UserAction type = Parsed(u8"type EdNm My 事務所 ");
  EXPECT_EQ(type.text, "My 事務所 ");  // CP932, the blanks kept
  EXPECT_EQ(Parsed("type EdNm").text, "");
  EXPECT_EQ(Parsed("choose RgLogon NT").text, "NT");
  EXPECT_EQ(Parsed("dump").verb, UserAction::Verb::kDump);

  for (const char* bad : {"press BtOk", "click", "click A B", "rclick", "key EdNm",
                          "key EdNm Ctrl+", "key EdNm PageDown", "choose CbSetting", "dump all",
                          u8"type EdNm \U0001F600"}) {
    UserAction unused;
    std::string error;
    EXPECT_FALSE(ParseUserAction(bad, &unused, &error)) << bad;
    EXPECT_EQ(error.rfind(std::string("--do '") + bad + "': ", 0), 0u) << error;
  }
}

TEST(UserScriptTest, AnswersGoToWhatAsksForThemInOrder) {
  std::vector<ScriptAnswer> answers;
  for (const char* text : {"YES", "file=C:\\WINDOWS\\hosts.home", "Cancel", "ok"}) {
    ScriptAnswer answer;
    std::string error;
    ASSERT_TRUE(ParseScriptAnswer(text, &answer, &error)) << error;
    answers.push_back(answer);
  }
  std::ostringstream out, err;
  UserScript script(answers, {}, out, err);
  std::string path;
  EXPECT_FALSE(script.TakeFile(&path));  // "yes" waits for a message box
  EXPECT_EQ(script.TakeButton(MessageButtons::kOk), std::nullopt);
  EXPECT_EQ(script.TakeButton(MessageButtons::kYesNo), MessageResult::kYes);
  EXPECT_TRUE(script.TakeFile(&path));
  EXPECT_EQ(path, "C:\\WINDOWS\\hosts.home");
  EXPECT_FALSE(script.TakeFile(&path));  // cancel is used up here
  EXPECT_EQ(script.TakeButton(MessageButtons::kOkCancel), MessageResult::kOk);
  EXPECT_EQ(script.TakeButton(MessageButtons::kOk), std::nullopt);
}

class ScriptRunTest : public ::testing::Test {
 protected:
  ScriptRunTest() {
    form.SetName("Main");
    form.SetCaption("Main");
    form.SetClientSize(200, 100);
    ok.SetEnabled(false);
    hidden.SetVisible(false);
    list.SetItems({"Home", "Office"});
    list.SetOnChange([this](Component&) { changes += "list;"; });
    group.SetItems({"W9x", "NT"});
    edit.SetOnKeyPress([](Component&, char& key) {
      if (key >= 'a' && key <= 'z') key = static_cast<char>(key - 'a' + 'A');
    });
    box.SetAllowGrayed(true);
    item.SetCaption("About");
    item.SetOnClick([this](Component&) { changes += "item;"; });
    menu.AddItem("Off").SetEnabled(false);
  }

  void Run(std::vector<std::string> texts) {
    std::vector<UserAction> actions;
    for (const std::string& text : texts) actions.push_back(Parsed(text));
    script = std::make_unique<UserScript>(std::vector<ScriptAnswer>{}, actions, out, err);
    while (script->HasAction()) script->RunNext(form);
  }

  ScriptedUiServices ui;
  Application app{ui};
  Form& form = app.CreateForm<Form>();
  Button& ok = form.Add<Button>("Ok");
  Button& hidden = form.Add<Button>("Hidden");
  ComboBox& list = form.Add<ComboBox>("List");
  RadioGroup& group = form.Add<RadioGroup>("Group");
  Edit& edit = form.Add<Edit>("Edit");
  CheckBox& box = form.Add<CheckBox>("Box");
  PopupMenu& menu = form.Add<PopupMenu>("Menu");
  MenuItem& item = menu.AddItem("AboutItem");
  std::string changes;
  std::ostringstream out, err;
  std::unique_ptr<UserScript> script;
};

TEST_F(ScriptRunTest, ActionsRunAsTheUsersAndUnreachableControlsAreReported) {
  Run({"type edit abc", "choose List office", "choose Group NT", "click Box", "click Box",
       "click AboutItem", "click Ok", "click Hidden", "click Off"});
  EXPECT_EQ(edit.Text(), "ABC");
  EXPECT_EQ(list.ItemIndex(), 1);
  EXPECT_EQ(group.ItemIndex(), 1);
  EXPECT_EQ(box.State(), CheckState::kChecked);
  EXPECT_EQ(changes, "list;item;");
  EXPECT_FALSE(script->Failed());
  EXPECT_EQ(err.str(),
            "--do 'click Ok': Ok is disabled; nothing done\n"
            "--do 'click Hidden': Hidden is not visible; nothing done\n"
            "--do 'click Off': Off is disabled; nothing done\n");
}

TEST_F(ScriptRunTest, AnUnknownNameOrAMeaninglessActionEndsTheScript) {
  for (auto [first, message] :
       {std::pair<const char*, const char*>{"click Nothing",
                                            "no control or menu item named Nothing on Main"},
        {"rclick AboutItem", "no control named AboutItem on Main"},
        {"type Box x", "Box takes no typed text"},
        {"choose Edit x", "Edit has no entries to choose from"},
        {"choose List Away", "List has no entry 'Away'"}}) {
    err.str("");
    Run({first, "type Edit zzz"});
    EXPECT_TRUE(script->Failed());
    EXPECT_FALSE(script->HasAction());
    EXPECT_EQ(err.str(), std::string("--do '") + first + "': " + message + "\n");
  }
  EXPECT_EQ(edit.Text(), "");
}

TEST_F(ScriptRunTest, DoubleClicksTogglesAndDrags) {
  ListBox& many = form.Add<ListBox>("Many");
  many.SetMultiSelect(true);
  many.SetItems({"a", "b", "c"});
  std::string events;
  many.SetOnDblClick([&](Component&) { events += "dblclick;"; });
  edit.SetOnDragOver([&](Component&, Component& source, int, int, bool& accept) {
    accept = &source == &many;
  });
  edit.SetOnDragDrop([&](Component&, Component& source, int, int) {
    events += "drop " + source.Name() + ";";
  });
  Run({"choose Many a", "toggle Many c", "dblclick Many", "drag Many Edit", "drag Ok Edit",
       "drag Many Hidden", "toggle List Home"});
  EXPECT_TRUE(many.Selected(0));
  EXPECT_FALSE(many.Selected(1));
  EXPECT_TRUE(many.Selected(2));
  EXPECT_EQ(events, "dblclick;drop Many;");
  EXPECT_TRUE(script->Failed());
  EXPECT_EQ(err.str(),
            "--do 'drag Ok Edit': Ok is disabled; nothing done\n"
            "--do 'drag Many Hidden': Hidden is not visible; nothing done\n"
            "--do 'toggle List Home': List is no list box\n");
  for (const char* bad : {"dblclick Many x", "drag Many", "drag Many Edit x", "toggle Many"}) {
    UserAction unused;
    std::string error;
    EXPECT_FALSE(ParseUserAction(bad, &unused, &error)) << bad;
  }
}

TEST_F(ScriptRunTest, AnOpenMenuTakesTheClickOfOneOfItsItems) {
  Run({});
  script = std::make_unique<UserScript>(
      std::vector<ScriptAnswer>{},
      std::vector<UserAction>{Parsed("click Ok"), Parsed("click AboutItem"), Parsed("dump")}, out,
      err);
  EXPECT_EQ(script->TakeMenuChoice(menu), nullptr);  // Ok is no item of the menu
  script->RunNext(form);
  EXPECT_EQ(script->TakeMenuChoice(menu), &item);
  EXPECT_EQ(script->TakeMenuChoice(menu), nullptr);
  EXPECT_TRUE(script->HasAction());
}

TEST_F(ScriptRunTest, DumpDescribesTheFormAsJson) {
  edit.SetText("say \"hi\"\r\n\\");
  list.SetItemIndex(0);
  box.SetState(CheckState::kGrayed);
  ok.SetHint("押す");
  edit.SetFocus();
  Run({"dump"});
  std::string json = out.str();
  EXPECT_EQ(json.rfind(R"({"form": "Main", "caption": "Main", "client": [200, 100], "controls": [)",
                       0),
            0u);
  EXPECT_NE(json.find(u8R"({"name": "Ok", "kind": "button", "visible": true, "enabled": false, "text": "", "hint": "押す", "bounds": [0, 0, 75, 25]})"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find(R"("text": "say \"hi\"\r\n\\")"), std::string::npos) << json;
  EXPECT_NE(json.find(R"("text": "Home", "items": ["Home", "Office"], "index": 0)"),
            std::string::npos);
  EXPECT_NE(json.find(R"("kind": "checkbox", "visible": true, "enabled": true, "text": "", "state": "grayed")"),
            std::string::npos);
  EXPECT_NE(json.find(R"("kind": "radiogroup", "visible": true, "enabled": true, "text": "", "items": ["W9x", "NT"], "index": -1)"),
            std::string::npos);
  EXPECT_NE(json.find(R"("menus": [{"name": "AboutItem", "caption": "About", "checked": false, "enabled": true, "visible": true}, {"name": "Off")"),
            std::string::npos);
  // Last, the control that has the focus.
  EXPECT_EQ(json.substr(json.size() - 20), "], \"focus\": \"Edit\"}\n") << json;
  EXPECT_EQ(json.find('\n'), json.size() - 1);
}

}  // namespace
}  // namespace zuba::toolkit
