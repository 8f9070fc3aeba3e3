#include "ui/RestartQuestion.h"

namespace zuba::ui {

const char kRestartQuestion[] =
    "再起動しますか？\r\n\r\nはい\t:  再起動する\r\nいいえ\t:  Windowsを終了する\r\n"
    "キャンセル\t:  ZubaNetだけ終了する   ";

std::string RestartCaption(const std::string& name) { return "【" + name + "】 を反映しました"; }

switching::RestartAnswer AskRestart(toolkit::UiServices& ui, const std::string& name) {
  switch (ui.ShowMessageBox(kRestartQuestion, RestartCaption(name),
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
