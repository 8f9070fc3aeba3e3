#include "toolkit/Edit.h"

#include <gtest/gtest.h>

#include <string>

#include "toolkit/Application.h"
#include "toolkit/FileNameEdit.h"
#include "toolkit/Form.h"
#include "toolkit/OpenDialog.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::toolkit {
namespace {

class EditTest : public ::testing::Test {
 protected:
  ScriptedUiServices ui;
  Application app{ui};
  Form& form = app.CreateForm<Form>();
  Edit& edit = form.Add<Edit>("edit");
  int changes = 0;
  void SetUp() override {
    edit.SetOnChange([&](Component&) { ++changes; });
  }
};

TEST_F(EditTest, TypingKeepsDoubleByteCharactersWholeAndBackspaceRemovesThemWhole) {
  edit.TypeText("aソ");
  EXPECT_EQ(edit.Text(), "aソ");
  edit.PressKey(vk::kBack);
  EXPECT_EQ(edit.Text(), "a");
  // A handler that swallows the second byte leaves no lone lead byte.
  edit.SetOnKeyPress([](Component&, char& key) {
    if (key == '\x5c') key = 0;
  });
  edit.TypeText("ソb");
  EXPECT_EQ(edit.Text(), "ab");
  EXPECT_EQ(changes, 4);  // "a", "aソ", "a", "ab"
}

TEST_F(EditTest, MaxLengthLimitsTheUserNotTheProgramAndReadOnlyRefusesTyping) {
  edit.SetMaxLength(3);
  edit.TypeText("abアd");
  EXPECT_EQ(edit.Text(), "abd");
  edit.SetText("longer text");
  EXPECT_EQ(edit.Text(), "longer text");
  edit.SetReadOnly(true);
  edit.TypeText("x");
  EXPECT_FALSE(edit.EditText("y"));
  EXPECT_EQ(edit.Text(), "longer text");
}

TEST_F(EditTest, BrowsingStartsAtTheTextAndQuotesAChosenPathWithBlanks) {
  auto& exe = form.Add<FileNameEdit>("fedExe");
  exe.SetFilter("Exe File (*.exe)|*.exe|All files (*.*)|*.*");
  exe.SetText("\"C:\\Program Files\\tool.exe\"");
  ui.QueueFile("C:\\My Tools\\run.exe");
  ui.QueueFileCancel();
  EXPECT_TRUE(exe.Browse());
  ASSERT_EQ(ui.FileRequests().size(), 1u);
  EXPECT_EQ(ui.FileRequests()[0].initialDir, "C:\\Program Files\\");
  EXPECT_EQ(ui.FileRequests()[0].fileName, "tool.exe");
  EXPECT_EQ(ui.FileRequests()[0].filter, "Exe File (*.exe)|*.exe|All files (*.*)|*.*");
  EXPECT_EQ(exe.Text(), "\"C:\\My Tools\\run.exe\"");
  EXPECT_TRUE(exe.Browse());  // cancelled: the text stays
  EXPECT_EQ(exe.Text(), "\"C:\\My Tools\\run.exe\"");
  auto& dialog = form.Add<OpenDialog>("odHosts");
  dialog.SetFileName("hosts*");
  ui.QueueFile("C:\\WINDOWS\\hosts.office");
  EXPECT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), "C:\\WINDOWS\\hosts.office");
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FileName(), "C:\\WINDOWS\\hosts.office");
}

}  // namespace
}  // namespace zuba::toolkit
