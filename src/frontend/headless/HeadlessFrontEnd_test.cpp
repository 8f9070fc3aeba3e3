#include "frontend/headless/HeadlessFrontEnd.h"

#include <gtest/gtest.h>

#include <sstream>

#include "testing/TempMachine.h"
#include "toolkit/Application.h"

namespace zuba::headless {
namespace {

using toolkit::MessageButtons;
using toolkit::MessageIcon;
using toolkit::MessageResult;

TEST(FrontEndTest, TakesItsOptionsAndLeavesTheRestInOrder) {
  std::vector<std::string> args = {"--answer",    "YES",          "/c",     "--headless",
                                   "--answer=no", "--do",         "dump",   "Office",
                                   "--answer",    "file=C:\\a b", "--do=click BtConfig",
                                   "--",          "--headless"};
  FrontEndOptions options;
  std::string error;
  ASSERT_TRUE(TakeFrontEndOptions(&args, &options, &error)) << error;
  EXPECT_TRUE(options.headless);
  ASSERT_EQ(options.answers.size(), 3u);
  EXPECT_EQ(options.answers[0].button, MessageResult::kYes);
  EXPECT_EQ(options.answers[1].button, MessageResult::kNo);
  EXPECT_EQ(options.answers[2].kind, toolkit::ScriptAnswer::Kind::kFile);
  EXPECT_EQ(options.answers[2].file, "C:\\a b");
  ASSERT_EQ(options.actions.size(), 2u);
  EXPECT_EQ(options.actions[1].name, "BtConfig");
  EXPECT_EQ(args, (std::vector<std::string>{"/c", "Office", "--", "--headless"}));

  for (std::vector<std::string> bad :
       {std::vector<std::string>{"--answer"}, std::vector<std::string>{"--answer", "maybe"},
        std::vector<std::string>{"--answer="}, std::vector<std::string>{"--answer=file="}}) {
    FrontEndOptions unused;
    EXPECT_FALSE(TakeFrontEndOptions(&bad, &unused, &error));
    EXPECT_NE(error.find("ok, cancel, yes, no or file=WINPATH"), std::string::npos) << error;
  }
  for (std::vector<std::string> bad :
       {std::vector<std::string>{"--headless", "--do"},
        std::vector<std::string>{"--headless", "--do", "press BtOk"},
        std::vector<std::string>{"--do", "dump"}}) {
    FrontEndOptions unused;
    EXPECT_FALSE(TakeFrontEndOptions(&bad, &unused, &error));
    EXPECT_NE(error.find("--do"), std::string::npos) << error;
  }
}

TEST(FrontEndTest, HeadlessWritesEachBoxAsOneLineAndAnswersInOrder) {
  testing::TempMachine machine;
  FrontEndOptions options;
  options.headless = true;
  std::string error;
  std::vector<std::string> args = {"--answer", "no", "--answer", "cancel"};
  ASSERT_TRUE(TakeFrontEndOptions(&args, &options, &error));
  std::ostringstream out;
  std::ostringstream err;
  std::vector<MessageResult> answers;
  HeadlessFrontEnd frontEnd(options, machine.files(), out, err);
  int code = [&] {
    toolkit::Application app(frontEnd.Ui());
    frontEnd.Watch(app);
    app.SetTitle("ZubaNet ベータ版");
    auto& ui = frontEnd.Ui();
    answers.push_back(ui.ShowMessageBox("再起動しますか？\r\n\r\n終了\n", "確認",
                                        MessageIcon::kQuestion, MessageButtons::kYesNo));
    // Cancel is not offered by OK alone: that box takes its first button
    // and the answer waits for the next box.
    answers.push_back(ui.ShowMessageBox("a", "", MessageIcon::kNone, MessageButtons::kOk));
    answers.push_back(ui.ShowMessageBox("b", "c", MessageIcon::kNone, MessageButtons::kOkCancel));
    answers.push_back(ui.ShowMessageBox("d", "c", MessageIcon::kNone, MessageButtons::kYesNo));
    ui.ShowPlainMessage("ZubaNetはWin95/98専用です");
    return 3;
  }();
  EXPECT_EQ(code, 3);
  EXPECT_EQ(answers, (std::vector<MessageResult>{MessageResult::kNo, MessageResult::kOk,
                                                 MessageResult::kCancel, MessageResult::kYes}));
  EXPECT_EQ(err.str(),
            u8"[確認] (question; Yes/No) 再起動しますか？\\n\\n終了\\n\n"
            u8"[ZubaNet ベータ版] (none; OK) a\n[c] (none; OK/Cancel) b\n"
            u8"[c] (none; Yes/No) d\n"
            u8"[ZubaNet ベータ版] (none; OK) ZubaNetはWin95/98専用です\n");
}

// A timed question takes the script's answer; with none left its time runs
// out at once, and no test ever waits for it.
TEST(FrontEndTest, TimedQuestionsTakeTheScriptsAnswerOrRunOutAtOnce) {
  testing::TempMachine machine;
  FrontEndOptions options;
  options.headless = true;
  std::string error;
  std::vector<std::string> args = {"--answer", "yes"};
  ASSERT_TRUE(TakeFrontEndOptions(&args, &options, &error));
  std::ostringstream out, err;
  HeadlessFrontEnd frontEnd(options, machine.files(), out, err);
  toolkit::Application app(frontEnd.Ui());
  frontEnd.Watch(app);
  toolkit::TimedQuestion question;
  question.text = "使い続けますか？";
  question.caption = "試用";
  question.seconds = 90;
  question.countdown = "%1 秒後に元に戻します";
  EXPECT_EQ(frontEnd.Ui().ShowTimedMessageBox(question), MessageResult::kYes);
  EXPECT_EQ(frontEnd.Ui().ShowTimedMessageBox(question), MessageResult::kNo);
  EXPECT_EQ(err.str(),
            u8"[試用] (question; Yes/No) 使い続けますか？\\n\\n90 秒後に元に戻します\n"
            u8"[試用] (question; Yes/No) 使い続けますか？\\n\\n90 秒後に元に戻します\n");
}

TEST(FrontEndTest, OneLineShowsEveryLineBreakAsBackslashN) {
  EXPECT_EQ(OneLine("a\r\nb\nc\rd"), "a\\nb\\nc\\nd");
  EXPECT_EQ(OneLine("ソ\r\n"), "ソ\\n");
}

}  // namespace
}  // namespace zuba::headless
