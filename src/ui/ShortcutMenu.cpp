#include "ui/ShortcutMenu.h"

#include "platform/Cp932.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "toolkit/Application.h"
#include "toolkit/UiServices.h"
#include "ui/TransferDialogs.h"
#include "ui/mainform.h"

namespace zuba::ui {
namespace {

using namespace toolkit;

constexpr char kCaption[] = "デスクトップにショートカットを作成";

// The directory of a Windows path, without its backslash.
std::string DirectoryOf(const std::string& path) {
  std::string::size_type slash = std::string::npos;
  for (std::string::size_type i = 0; i < path.size(); i += platform::Cp932CharLength(path, i)) {
    if (path[i] == '\\') slash = i;
  }
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

std::string ShortcutFileName(const std::string& name) {
  static const std::string kForbidden = "\\/:*?\"<>|";
  std::string file;
  for (std::size_t i = 0; i < name.size();) {
    const std::size_t length = platform::Cp932CharLength(name, i);
    const unsigned char byte = static_cast<unsigned char>(name[i]);
    if (length == 1 && (byte < 0x20 || kForbidden.find(name[i]) != std::string::npos)) {
      file += '_';
    } else {
      file += name.substr(i, length);
    }
    i += length;
  }
  return file + ".lnk";
}

bool PassableSettingName(const std::string& name) {
  return !name.empty() && name[0] != '/' && platform::FindCp932(name, '"') == std::string::npos;
}

TShortcutMenu::TShortcutMenu(TForm1& form)
    : pmShortcut(form.PmOpt.AddItem("pmShortcut")),
      ChoiceDlg(form.Add<TChoiceDlg>("ShortcutChoiceDlg", form.App())),
      form_(form) {
  pmShortcut.SetCaption("デスクトップにショートカットを作成...");
  pmShortcut.SetHint("選んだ設定に切り替えるショートカットをデスクトップに作ります");
  pmShortcut.SetOnClick([this](Component& sender) { pmShortcutClick(sender); });
}

void TShortcutMenu::pmShortcutClick(Component&) {
  ChoiceDlg.Prepare(TChoiceDlg::Kind::kShortcut, kCaption,
                    "ショートカットを作る設定を選んでください\r\n（複数選べます）",
                    form_.CbSetting.Items());
  ChoiceDlg.CbNoQuestion.SetChecked(false);
  if (ChoiceDlg.ShowModal() != ModalResult::kOk) return;
  const std::vector<std::string> names = ChoiceDlg.Chosen();
  if (names.empty()) {
    form_.App().Ui().ShowMessageBox("ショートカットを作る設定を選んでください", kCaption,
                                    MessageIcon::kError, MessageButtons::kOk);
    return;
  }
  MakeShortcuts(names, ChoiceDlg.CbNoQuestion.Checked());
}

void TShortcutMenu::MakeShortcuts(const std::vector<std::string>& names, bool noRestartQuestion) {
  UiServices& ui = form_.App().Ui();
  platform::System& system = form_.GetSystem();
  platform::Files& files = form_.GetFiles();
  std::string desktop;
  if (!system.GetSpecialFolder(platform::kCsidlDesktopDirectory, &desktop) || desktop.empty()) {
    ui.ShowMessageBox("デスクトップのフォルダが見つかりません。\r\nショートカットを作れませんでした。",
                      kCaption, MessageIcon::kError, MessageButtons::kOk);
    return;
  }
  const std::string program = files.ProgramPath();
  std::string made;
  std::string notMade;
  for (const std::string& name : names) {
    if (!PassableSettingName(name)) {
      notMade += "\r\n　" + name + "（\" を含む名前や / で始まる名前は渡せません）";
      continue;
    }
    const std::string path = desktop + "\\" + ShortcutFileName(name);
    if (files.GetAttributes(path) != platform::kInvalidAttributes &&
        ui.ShowMessageBox(path + " は既にあります。\r\n置き換えますか？", kCaption,
                          MessageIcon::kQuestion, MessageButtons::kYesNo) != MessageResult::kYes) {
      continue;
    }
    const platform::ShellLink link{program,
                                   "\"" + name + "\"" + (noRestartQuestion ? " /c" : ""),
                                   DirectoryOf(program), "【" + name + "】に切り替えます"};
    if (system.WriteShellLink(path, link)) {
      made += "\r\n　" + name;
    } else {
      notMade += "\r\n　" + name + "（" + path + " に書き込めません）";
    }
  }
  if (made.empty() && notMade.empty()) return;
  std::string text;
  if (!made.empty()) text += "デスクトップに次のショートカットを作りました。\r\n" + made;
  if (!notMade.empty()) {
    if (!text.empty()) text += "\r\n\r\n";
    text += "次のショートカットは作れませんでした。\r\n" + notMade;
  }
  ui.ShowMessageBox(text, kCaption,
                    notMade.empty() ? MessageIcon::kInformation : MessageIcon::kWarning,
                    MessageButtons::kOk);
}

void AddShortcutMenu(TForm1& form) { form.Add<TShortcutMenu>("ShortcutMenu", form); }

}  // namespace zuba::ui
