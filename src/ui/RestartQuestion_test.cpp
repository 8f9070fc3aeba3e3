#include "ui/RestartQuestion.h"

#include <gtest/gtest.h>

#include "toolkit/ScriptedUiServices.h"

namespace zuba::ui {
namespace {

using toolkit::MessageResult;

TEST(RestartQuestionTest, QuestionAndCaptionAreTheProgramsOwnBytes) {
  toolkit::ScriptedUiServices ui;
  ui.QueueAnswer(MessageResult::kNo);
  EXPECT_EQ(AskRestart(ui, RestartCaption("会社 LAN")), switching::RestartAnswer::kNo);
  ASSERT_EQ(ui.Messages().size(), 1u);
  const auto& box = ui.Messages()[0];
  EXPECT_EQ(box.icon, toolkit::MessageIcon::kQuestion);
  EXPECT_EQ(box.buttons, toolkit::MessageButtons::kYesNoCancel);
  // A full-width bracket, the name, the closing bracket and an ASCII blank.
  EXPECT_EQ(box.caption, "\x81\x79会社 LAN\x81\x7A\x20を反映しました");
  // Tabs after each answer, two blanks after each colon, three at the end.
  EXPECT_EQ(box.text,
            "再起動しますか？\r\n\r\nはい\x09:  再起動する\r\nいいえ\x09:  Windowsを終了する\r\n"
            "キャンセル\x09:  ZubaNetだけ終了する\x20\x20\x20");
  EXPECT_EQ(UndoneCaption("会社 LAN"), "\x81\x79会社 LAN\x81\x7A\x20の反映を元に戻しました");
}

}  // namespace
}  // namespace zuba::ui
