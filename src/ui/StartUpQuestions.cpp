#include "ui/StartUpQuestions.h"

#include <exception>

#include "core/SettingsConversion.h"
#include "core/SettingsFile.h"

namespace zuba::ui {
namespace {

using toolkit::MessageButtons;
using toolkit::MessageIcon;
using toolkit::MessageResult;

constexpr char kAdapterChangedMessage[] =
    "ネットワークカードのレジストリが変更されているようです\r\n"
    "設定ボタンを押してネットワークカード名を指定し\r\n再度設定を保存しなおしてください";
constexpr char kAdapterChangedCaption[] = "以前の設定が環境と異なります";
constexpr char kConvertQuestion[] =
    "これからINIファイルをVer2形式に変換します。\r\n\r\n"
    "　現在のINIファイルは zubanet.--- にリネームされます。\r\n"
    "　Ver1.xx を使用する場合は zubanet.--- を zubanet.ini と\r\n"
    "　差し替えて使用してください。";
constexpr char kConvertCaption[] = "zubanet.ini をVer2形式に変換";
constexpr char kConvertCancelled[] = "変換を中止しました。";
constexpr char kConvertFailed[] =
    "変換に失敗しました。zubanet を終了し、\r\n"
    "zubanet.--- →zubanet.ini に置き換えて\r\nzubanet を再度起動してください。";
constexpr char kConvertFailedCaption[] = "変換失敗";

}  // namespace

void ShowAdapterChanged(toolkit::UiServices& ui) {
  ui.ShowMessageBox(kAdapterChangedMessage, kAdapterChangedCaption, MessageIcon::kInformation,
                    MessageButtons::kOk);
}

void OfferSettingsConversion(toolkit::Application& app, core::TIniGT& ini, platform::Files& files,
                             const std::vector<std::string>& names) {
  toolkit::UiServices& ui = app.Ui();
  if (ui.ShowMessageBox(kConvertQuestion, kConvertCaption, MessageIcon::kQuestion,
                        MessageButtons::kOkCancel) != MessageResult::kOk) {
    ui.ShowPlainMessage(kConvertCancelled);
    return;
  }
  try {
    core::ConvertSettingsFile(ini, files, core::InitializeKeyNames(), names);
  } catch (const std::exception& error) {
    // Start-up goes on with the file as far as it was converted.
    ui.ShowMessageBox(kConvertFailed, kConvertFailedCaption, MessageIcon::kError,
                      MessageButtons::kOk);
    app.HandleException(error);
  }
}

}  // namespace zuba::ui
