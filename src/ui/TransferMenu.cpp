#include "ui/TransferMenu.h"

#include <exception>

#include "platform/Cp932.h"
#include "system/Errors.h"
#include "system/ZubaUtil.h"
#include "toolkit/Application.h"
#include "toolkit/UiServices.h"
#include "ui/TransferDialogs.h"
#include "ui/mainform.h"

namespace zuba::ui {
namespace {

using namespace toolkit;

constexpr char kExportCaption[] = "設定の書き出し";
constexpr char kImportCaption[] = "設定の読み込み";
constexpr char kFileFilter[] = "ZubaNet 設定ファイル (*.zns)|*.zns|すべてのファイル (*.*)|*.*";
constexpr char kDefaultFile[] = "SETTINGS.ZNS";

MenuItem& MakeItem(PopupMenu& menu, const char* name, const char* caption, const char* hint) {
  MenuItem& item = menu.AddItem(name);
  item.SetCaption(caption);
  item.SetHint(hint);
  return item;
}

bool SameCommand(const std::string& parameter, const char* command) {
  return platform::EqualsNoCaseCp932(parameter, command);
}

// The directory part of a Windows path, with its backslash.
std::string DirectoryOf(const std::string& path) {
  std::string::size_type slash = std::string::npos;
  for (std::string::size_type i = 0; i < path.size(); i += platform::Cp932CharLength(path, i)) {
    if (path[i] == '\\') slash = i;
  }
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

TTransferMenu::TTransferMenu(TForm1& form)
    : N7(MakeItem(form.PmOpt, "N7", "-", "")),
      pmExport(MakeItem(form.PmOpt, "pmExport", "設定を書き出す...",
                        "選んだ設定をファイルに書き出し、ほかのパソコンで読み込めるようにします")),
      pmImport(MakeItem(form.PmOpt, "pmImport", "設定を読み込む...",
                        "書き出した設定をファイルから読み込みます")),
      ChoiceDlg(form.Add<TChoiceDlg>("TransferChoiceDlg", form.App())),
      ReplaceDlg(form.Add<TReplaceDlg>("TransferReplaceDlg", form.App())),
      form_(form) {
  pmExport.SetOnClick([this](Component& sender) { pmExportClick(sender); });
  pmImport.SetOnClick([this](Component& sender) { pmImportClick(sender); });
}

std::vector<core::AdapterInfo> TTransferMenu::Adapters() const {
  std::vector<core::AdapterInfo> adapters;
  for (int i = 0; i < form_.CbTnc.ItemCount() && i < form_.CbTrg.ItemCount(); ++i) {
    adapters.push_back({form_.CbTrg.Item(i), form_.CbTnc.Item(i)});
  }
  return adapters;
}

void TTransferMenu::pmExportClick(Component&) {
  UiServices& ui = form_.App().Ui();
  ChoiceDlg.Prepare(TChoiceDlg::Kind::kExport, kExportCaption,
                    "書き出す設定を選んでください\r\n（複数選べます）", form_.CbSetting.Items());
  ChoiceDlg.EdFile.SetText(DirectoryOf(form_.GetFiles().ProgramPath()) + kDefaultFile);
  if (ChoiceDlg.ShowModal() != ModalResult::kOk) return;
  const std::vector<std::string> names = ChoiceDlg.Chosen();
  const std::string path = ChoiceDlg.EdFile.Text();
  if (names.empty() || path.empty()) {
    ui.ShowMessageBox(names.empty() ? "書き出す設定を選んでください" : "ファイル名を入力してください",
                      kExportCaption, MessageIcon::kError, MessageButtons::kOk);
    return;
  }
  if (form_.GetFiles().GetAttributes(path) != platform::kInvalidAttributes &&
      ui.ShowMessageBox(path + " は既にあります。\r\n置き換えますか？", kExportCaption,
                        MessageIcon::kQuestion, MessageButtons::kOkCancel) != MessageResult::kOk) {
    return;
  }
  Export(path, names);
}

void TTransferMenu::Export(const std::string& path, const std::vector<std::string>& names) {
  const std::string text = core::TransferText(form_.Settings, names, Adapters());
  if (!form_.GetFiles().WriteBytes(path, text)) {
    throw system::Exception(path + " に書き込めません");
  }
}

void TTransferMenu::pmImportClick(Component&) {
  OpenFileRequest request;
  request.title = kImportCaption;
  request.filter = kFileFilter;
  request.initialDir = DirectoryOf(form_.GetFiles().ProgramPath());
  request.options = kOfHideReadOnly | kOfFileMustExist | kOfNoChangeDir;
  std::string path;
  if (!form_.App().Ui().ShowOpenDialog(request, &path)) return;
  Import(path);
}

void TTransferMenu::Import(const std::string& path) {
  UiServices& ui = form_.App().Ui();
  std::string bytes;
  if (!form_.GetFiles().ReadBytes(path, &bytes)) {
    ui.ShowMessageBox(path + " を読めません", kImportCaption, MessageIcon::kError,
                      MessageButtons::kOk);
    return;
  }
  const core::TransferRead read = core::ReadTransferText(bytes);
  if (read.fault != core::TransferFault::kNone) {
    ui.ShowMessageBox(path + "\r\n" + read.reason + "。\r\n何も読み込みませんでした。",
                      kImportCaption, MessageIcon::kError, MessageButtons::kOk);
    return;
  }
  // Every question first: nothing is written until the last is answered.
  struct Planned {
    const core::TransferredSetting* setting;
    std::string adapter;
    bool replaces;
  };
  std::vector<Planned> plan;
  const std::vector<core::AdapterInfo> adapters = Adapters();
  bool replaceAll = false;
  for (const core::TransferredSetting& setting : read.settings) {
    const bool exists = form_.Settings.SettingExists(setting.name) ||
                        form_.CbSetting.IndexOf(setting.name) >= 0;
    if (exists && !replaceAll) {
      const TReplaceDlg::Answer answer = ReplaceDlg.Ask(setting.name);
      if (answer == TReplaceDlg::Answer::kCancel) return;
      if (answer == TReplaceDlg::Answer::kNo) continue;
      replaceAll = answer == TReplaceDlg::Answer::kYesToAll;
    }
    std::string adapter = core::BindAdapter(setting, adapters);
    if (!setting.adapter.empty() && adapter.empty()) {
      std::vector<std::string> descriptions;
      for (const core::AdapterInfo& info : adapters) descriptions.push_back(info.description);
      ChoiceDlg.Prepare(TChoiceDlg::Kind::kAdapter, "ネットワークカードの選択",
                        "【" + setting.name + "】のネットワークカード（" +
                            (setting.adapterDescription.empty() ? setting.adapter
                                                                : setting.adapterDescription) +
                            "）がありません。使うカードを選んでください",
                        descriptions);
      if (ChoiceDlg.ShowModal() != ModalResult::kOk) return;
      const int chosen = ChoiceDlg.LbChoices.ItemIndex();
      if (chosen < 0) return;
      adapter = adapters[static_cast<std::size_t>(chosen)].subkey;
    }
    plan.push_back({&setting, adapter, exists});
  }
  if (plan.empty()) return;
  std::string summary = "次の設定を読み込みます。よろしいですか？\r\n";
  for (const Planned& planned : plan) {
    summary += "\r\n　" + planned.setting->name + (planned.replaces ? "（置き換え）" : "（新規）");
  }
  if (ui.ShowMessageBox(summary, kImportCaption, MessageIcon::kQuestion,
                        MessageButtons::kOkCancel) != MessageResult::kOk) {
    return;
  }
  ComboBox& list = form_.CbSetting;
  const std::vector<std::string> listed = list.Items();
  const int selected = list.ItemIndex();
  const std::string selectedName = selected >= 0 ? list.Item(selected) : std::string();
  core::SettingsFile::Change change(form_.Settings);
  bool selectedReplaced = false;
  try {
    for (const Planned& planned : plan) {
      core::WriteImportedSetting(form_.Settings, *planned.setting, planned.adapter);
      if (list.IndexOf(planned.setting->name) < 0) list.AddItem(planned.setting->name);
      if (selected >= 0 && platform::EqualsNoCaseCp932(planned.setting->name, selectedName)) {
        selectedReplaced = true;
      }
    }
    list.SetItemIndex(selected >= 0 ? list.IndexOf(selectedName) : -1);
    form_.Settings.WriteSettingList(list.Items());
    change.Commit();
  } catch (const std::exception&) {
    // The file has none of the import: neither has the list.
    list.SetItems(listed);
    list.SetItemIndex(selected);
    throw;
  }
  if (selectedReplaced) form_.CbSettingChange(list);
}

void AddTransferMenu(TForm1& form) { form.Add<TTransferMenu>("TransferMenu", form); }

bool IsTransferCommand(const std::vector<std::string>& parameters) {
  return !parameters.empty() &&
         (SameCommand(parameters[0], "/export") || SameCommand(parameters[0], "/import"));
}

void RunTransferCommand(TForm1& form, const std::vector<std::string>& parameters) {
  auto* menu = dynamic_cast<TTransferMenu*>(form.FindComponent("TransferMenu"));
  if (menu == nullptr) return;
  if (SameCommand(parameters[0], "/export") && parameters.size() >= 3) {
    menu->Export(parameters[1],
                 std::vector<std::string>(parameters.begin() + 2, parameters.end()));
  } else if (SameCommand(parameters[0], "/import") && parameters.size() == 2) {
    menu->Import(parameters[1]);
  } else {
    system::ShowInfoBox(form.App().Ui(), "使い方: /export ファイル 設定名... または /import ファイル");
  }
}

}  // namespace zuba::ui
