#include "ui/RestartQuestion.h"

namespace zuba::ui {

const char kRestartQuestion[] =
    "再起動しますか？\r\n\r\nはい\t:  再起動する\r\nいいえ\t:  Windowsを終了する\r\n"
    "キャンセル\t:  ZubaNetだけ終了する   ";

std::string RestartCaption(const std::string& name) { return "【" + name + "】 を反映しました"; }

std::string UndoneCaption(const std::string& name) {
  return "【" + name + "】 の反映を元に戻しました";
}

std::string TrialNotice(int seconds) {
  return "試しに反映しています。次に Windows を起動したとき、この設定を使い続けるかを"
         "たずねます。\r\n" +
         std::to_string(seconds) + " 秒以内に答えがなければ反映する前の状態に戻します。\r\n\r\n";
}

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
