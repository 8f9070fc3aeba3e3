#include "frontend/win32/WinDialogs.h"

#include <commdlg.h>
#include <gtest/gtest.h>

namespace zuba::winui {
namespace {

using toolkit::MessageButtons;
using toolkit::MessageIcon;

TEST(WinDialogsTest, MessageBoxesTakeTheModelsIconAndButtons) {
  struct Case {
    MessageIcon icon;
    MessageButtons buttons;
    UINT flags;
  };
  const Case cases[] = {
      {MessageIcon::kNone, MessageButtons::kOk, MB_OK},
      {MessageIcon::kInformation, MessageButtons::kOk, MB_OK | MB_ICONINFORMATION},
      {MessageIcon::kQuestion, MessageButtons::kYesNo, MB_YESNO | MB_ICONQUESTION},
      {MessageIcon::kWarning, MessageButtons::kOkCancel, MB_OKCANCEL | MB_ICONWARNING},
      {MessageIcon::kError, MessageButtons::kYesNoCancel, MB_YESNOCANCEL | MB_ICONERROR},
  };
  for (const Case& c : cases) EXPECT_EQ(MessageBoxFlags(c.icon, c.buttons), c.flags);
}

TEST(WinDialogsTest, TheOpenDialogIsOfTheOldStyleOnlyWhenShortNamesAreAsked) {
  // OFN_NOLONGNAMES holds only in the old style.
  EXPECT_EQ(OpenDialogFlags(toolkit::kOfNoLongNames | toolkit::kOfFileMustExist),
            static_cast<DWORD>(OFN_NOLONGNAMES | OFN_FILEMUSTEXIST));
  EXPECT_EQ(OpenDialogFlags(toolkit::kOfHideReadOnly),
            static_cast<DWORD>(OFN_HIDEREADONLY | OFN_EXPLORER));
  EXPECT_EQ(OpenDialogFilter("Bat (*.bat)|*.bat|All (*.*)|*.*"),
            std::string("Bat (*.bat)\0*.bat\0All (*.*)\0*.*\0\0", 33));
}

// The trial's question on Windows: the text counts down and the box answers
// by itself when the time is up.
TEST(WinDialogsTest, ATimedQuestionAnswersByItselfWhenTheTimeIsUp) {
  toolkit::TimedQuestion question;
  question.text = "使い続けますか？";
  question.caption = "試用";
  question.seconds = 2;
  question.countdown = "%1 秒後に元に戻します";
  EXPECT_EQ(RunTimedMessageBox(nullptr, question), toolkit::MessageResult::kNo);
  question.timeoutAnswer = toolkit::MessageResult::kYes;
  EXPECT_EQ(RunTimedMessageBox(nullptr, question), toolkit::MessageResult::kYes);
}

}  // namespace
}  // namespace zuba::winui
