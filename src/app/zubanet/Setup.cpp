#include "app/zubanet/Setup.h"

#include "app/zubanet/Wininit.h"
#include "core/IniGT.h"
#include "platform/Cp932.h"
#include "platform/Registry.h"
#include "switch/SwitchJournal.h"
#include "switch/TrialEntry.h"
#include "ui/ZubaSelFiles.h"

namespace zuba::app {
namespace {

using toolkit::MessageButtons;
using toolkit::MessageIcon;
using toolkit::MessageResult;

constexpr char kMainWindowCaption[] = "ZubaNet";
constexpr char kProgramName[] = "ZUBANET.EXE";
// The RunOnce values the program leaves: the boot menu's and the trial's.
constexpr const char* kRunOnceValues[] = {"ZubaNet", switching::kTrialEntryName};

std::string DirectoryOf(const std::string& path) {
  std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

class Setup {
 public:
  Setup(toolkit::UiServices& ui, const platform::Services& machine)
      : ui_(ui), machine_(machine), files_(machine.files) {}

  int Install();
  int Uninstall();

 private:
  int Fail(const std::string& text) {
    ui_.ShowMessageBox(text, kSetupCaption, MessageIcon::kError, MessageButtons::kOk);
    return 1;
  }
  bool Running() { return machine_.system.FindTopLevelWindow(kMainWindowCaption) != 0; }
  std::string Installed(const std::string& name) {
    return std::string(kInstallDirectory) + "\\" + name;
  }
  std::string ShortcutPath() {
    std::string folder;
    if (!machine_.system.GetSpecialFolder(platform::kCsidlPrograms, &folder) || folder.empty()) {
      return std::string();
    }
    return folder + "\\" + kShortcutName;
  }
  bool WriteUninstallEntry();
  void RemoveRegistryEntries();
  void RemoveShortcut();
  // Removes the installed file `name`, or has Windows remove it at its
  // next start.
  void Remove(const std::string& name);

  toolkit::UiServices& ui_;
  const platform::Services& machine_;
  platform::Files& files_;
  bool removedLater_ = false;
};

int Setup::Install() {
  if (Running()) {
    return Fail("ZubaNet が実行中です。\r\nZubaNet を終了してから、もう一度インストールしてください。");
  }
  const std::string source = DirectoryOf(files_.ProgramPath());
  for (const std::string& name : PackageFiles()) {
    if (files_.GetAttributes(source + name) == platform::kInvalidAttributes) {
      return Fail(source + name +
                  " が見つかりません。\r\nパッケージのファイルをすべて同じフォルダに展開してから、"
                  "もう一度インストールしてください。");
    }
  }
  const std::string target = Installed("");
  if (files_.GetAttributes(kInstallDirectory) == platform::kInvalidAttributes &&
      !files_.MakeDirectory(kInstallDirectory)) {
    return Fail(std::string(kInstallDirectory) + " に書き込めません");
  }
  if (!platform::EqualsNoCaseCp932(source, target)) {
    for (const std::string& name : PackageFiles()) {
      if (!files_.CopyTo(source + name, target + name, platform::IfTargetExists::kReplace)) {
        return Fail(target + name + " に書き込めません");
      }
    }
  }
  const std::string shortcut = ShortcutPath();
  const platform::ShellLink link{Installed(kProgramName), "", kInstallDirectory, "ZubaNet"};
  if (shortcut.empty() || !machine_.system.WriteShellLink(shortcut, link)) {
    return Fail("スタート メニューに ZubaNet のショートカットを作れません。");
  }
  if (!WriteUninstallEntry()) {
    return Fail("[アプリケーションの追加と削除] に ZubaNet を登録できません。");
  }
  ui_.ShowMessageBox(
      "ZubaNet を C:\\ZUBANET にインストールしました。\r\n"
      "スタート メニューの [プログラム] - [ZubaNet] から起動できます。",
      kSetupCaption, MessageIcon::kInformation, MessageButtons::kOk);
  return 0;
}

int Setup::Uninstall() {
  if (Running()) {
    return Fail("ZubaNet が実行中です。\r\nZubaNet を終了してから、もう一度アンインストールしてください。");
  }
  // The first button keeps them: what a box closed without a choice, or a
  // script without an answer, does.
  MessageResult keep = ui_.ShowMessageBox(
      "ZubaNet をアンインストールします。\r\n\r\n設定ファイルと切り替えの記録を残しますか？\r\n"
      "[はい] 残す　[いいえ] 削除する　[キャンセル] アンインストールしない",
      kSetupCaption, MessageIcon::kQuestion, MessageButtons::kYesNoCancel);
  if (keep == MessageResult::kCancel) return 1;
  RemoveShortcut();
  RemoveRegistryEntries();
  const std::string programDir = Installed("");
  const std::string bootDir = ui::BootDirectory(files_, programDir);
  std::string windows = files_.WindowsDirectory();
  ui::RemoveAutoexecCall(files_, windows.substr(0, 3), bootDir);
  for (const std::string& name : ui::BootFileNames()) Remove(name);
  for (const std::string& name : PackageFiles()) Remove(name);
  if (keep == MessageResult::kNo) {
    const std::string settings = core::TIniGT::DefaultFileName(Installed(kProgramName));
    Remove(settings);
    Remove(switching::JournalPathFor(settings));
    Remove("ZUBANET.---");  // the copy the conversion of an old settings file keeps
  }
  std::string text = "ZubaNet をアンインストールしました。";
  if (removedLater_) text += "\r\n使用中のファイルは、次に Windows を起動したときに削除されます。";
  if (keep == MessageResult::kYes) {
    text += "\r\n設定ファイルと切り替えの記録は C:\\ZUBANET に残してあります。";
  }
  ui_.ShowMessageBox(text, kSetupCaption, MessageIcon::kInformation, MessageButtons::kOk);
  return 0;
}

bool Setup::WriteUninstallEntry() {
  platform::Registry& registry = machine_.registry;
  platform::RegKey key = 0;
  if (registry.CreateKey(platform::kHkeyLocalMachine, kUninstallKeyPath, &key) != 0) return false;
  auto text = [](const std::string& value) {
    return platform::RegValue{platform::kRegSz, value + std::string(1, '\0')};
  };
  bool written =
      registry.SetValue(key, "DisplayName", text("ZubaNet")) == 0 &&
      registry.SetValue(key, "UninstallString", text(Installed(kProgramName) + " /uninstall")) == 0;
  registry.CloseKey(key);
  return written;
}

void Setup::RemoveRegistryEntries() {
  platform::Registry& registry = machine_.registry;
  registry.DeleteKey(platform::kHkeyLocalMachine, kUninstallKeyPath);
  platform::RegKey key = 0;
  if (registry.OpenKey(platform::kHkeyLocalMachine, switching::kRunOnceKeyPath, &key) != 0) return;
  for (const char* name : kRunOnceValues) registry.DeleteValue(key, name);
  registry.CloseKey(key);
}

void Setup::RemoveShortcut() {
  const std::string shortcut = ShortcutPath();
  platform::ShellLink link;
  // Only a shortcut to the program: another of the same name is the user's.
  if (shortcut.empty() || !machine_.system.ReadShellLink(shortcut, &link) ||
      !platform::EqualsNoCaseCp932(link.target, Installed(kProgramName))) {
    return;
  }
  files_.RemoveFile(shortcut);
}

void Setup::Remove(const std::string& name) {
  const std::string path = Installed(name);
  if (files_.GetAttributes(path) == platform::kInvalidAttributes) return;
  // Windows 9x keeps the file of a running program open: it is not tried.
  const bool running = platform::EqualsNoCaseCp932(path, files_.ProgramPath());
  if (!running && files_.RemoveFile(path)) return;
  std::vector<platform::FindData> found;
  std::string shortName = name;
  if (files_.FindFiles(path, &found) && !found.empty() && !found[0].shortName.empty()) {
    shortName = found[0].shortName;
  }
  if (RemoveAtNextStart(files_, ui::BootDirectory(files_, Installed("")) + shortName)) {
    removedLater_ = true;
  }
}

}  // namespace

const std::vector<std::string>& PackageFiles() {
  static const std::vector<std::string> names{"ZUBANET.EXE", "ZUBANETC.EXE", "ZUBANET.HLP",
                                              "README.TXT"};
  return names;
}

std::optional<SetupAction> SetupActionOf(const std::vector<std::string>& commandLine) {
  if (commandLine.size() != 1) return std::nullopt;
  if (platform::EqualsNoCaseCp932(commandLine[0], "/install")) return SetupAction::kInstall;
  if (platform::EqualsNoCaseCp932(commandLine[0], "/uninstall")) return SetupAction::kUninstall;
  return std::nullopt;
}

int RunSetup(SetupAction action, toolkit::UiServices& ui, const platform::Services& machine) {
  Setup setup(ui, machine);
  return action == SetupAction::kInstall ? setup.Install() : setup.Uninstall();
}

}  // namespace zuba::app
