// The program in-process on template machines: every help topic the main
// window can ask for is in the help file installed beside the program, and
// a command on the command line runs without building a form.
#include "app/zubanet/Program.h"

#include "app/zubanet/CommandLineRun.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "testing/TempMachine.h"
#include "toolkit/HelpFile.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::app {
namespace {

void CollectContexts(const toolkit::Control& control, std::set<int>* contexts) {
  if (control.HelpContext() != 0) contexts->insert(control.HelpContext());
  for (const toolkit::Control* child : control.Children()) CollectContexts(*child, contexts);
}

TEST(ProgramTest, EveryHelpTopicOfTheMainWindowIsInTheHelpFile) {
  testing::TempMachine machine;
  toolkit::ScriptedUiServices ui;
  toolkit::Application app(ui);
  ui::TForm1* form = StartZubaNet(app, machine.services(), {});
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(app.Title(), "ZubaNet ベータ版");
  EXPECT_EQ(app.MainForm(), form);
  EXPECT_TRUE(form->Visible());
  // The boot-time switch dialog comes after the main window, hidden.
  ASSERT_FALSE(app.Forms().empty());
  EXPECT_EQ(app.Forms().back()->Name(), "fmZbSel");
  EXPECT_FALSE(app.Forms().back()->Visible());

  std::set<int> contexts;
  CollectContexts(*form, &contexts);
  contexts.insert(form->PmOpt.HelpContext());
  // The topics of the right-click help by Tag.
  for (int topic : {34, 47, 50, 32, 48, 19, 36, 35, 37}) contexts.insert(topic);
  std::string text;
  ASSERT_TRUE(machine.files().ReadBytes(app.HelpFile(), &text)) << app.HelpFile();
  toolkit::HelpFile help = toolkit::HelpFile::Parse(text);
  for (int context : contexts) {
    const toolkit::HelpTopic* topic = help.Topic(context);
    ASSERT_NE(topic, nullptr) << context;
    EXPECT_FALSE(topic->title.empty()) << context;
    EXPECT_FALSE(topic->lines.empty()) << context;
  }
  EXPECT_EQ(contexts, (std::set<int>{19, 26, 32, 33, 34, 35, 36, 37, 47, 48, 50}));
}

TEST(ProgramTest, ACommandOnTheCommandLineBuildsNoForm) {
  testing::TempMachine machine;
  constexpr char kSettings[] = "C:\\ZUBANET\\ZUBANET.INI";
  machine.profiles().WriteString("Office", "wg", "OFFICE", kSettings);
  machine.profiles().WriteString("NIC_registry_list", "Office", "0000", kSettings);
  const std::vector<std::vector<std::string>> commands = {
      {"/p", "office"}, {"/s"}, {"Office", "/c"}, {"/u", "/c"}, {"/k"}, {"Gone"}};
  for (const std::vector<std::string>& command : commands) {
    toolkit::ScriptedUiServices ui;
    toolkit::Application app(ui);
    ASSERT_TRUE(AcceptSystem(app, machine.services()));
    ASSERT_TRUE(RunCommandLine(app, machine.services(), command)) << command[0];
    EXPECT_TRUE(app.Forms().empty()) << command[0];
    EXPECT_EQ(app.MainForm(), nullptr) << command[0];
  }
  // The apply ran and left its journal.
  std::string journal;
  EXPECT_TRUE(machine.files().ReadBytes("C:\\ZUBANET\\ZUBANET.JNL", &journal));
  // No command: the window's own.
  toolkit::ScriptedUiServices ui;
  toolkit::Application app(ui);
  EXPECT_FALSE(RunCommandLine(app, machine.services(), {"/c", "/e", "/p"}));
}

}  // namespace
}  // namespace zuba::app
