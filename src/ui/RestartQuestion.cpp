#include "ui/RestartQuestion.h"

namespace zuba::ui {

const char kRestartQuestion[] =
    "再起動しますか？\r\n\r\nはい\t:  再起動する\r\nいいえ\t:  Windowsを終了する\r\n"
    "キャンセル\t:  ZubaNetだけ終了する   ";

switching::RestartAnswer AskRestart(toolkit::UiServices& ui, const std::string& caption,
                                    const std::string& notice) {
  switch (ui.ShowMessageBox(notice + kRestartQuestion, caption,
                            toolkit::MessageIcon::kQuestion,
                            toolkit::MessageButtons::kYesNoCancel)) {
    case toolkit::MessageResult::kYes:
      return switching::RestartAnswer::kYes;
    case toolkit::MessageResult::kNo:
      return switching::RestartAnswer::kNo;
    default:
      return switching::RestartAnswer::kCancel;
  }
}

}  // namespace zuba::ui
