#include "ui/ZubaSel.h"

#include <utility>
#include <vector>

#include "core/SettingsFile.h"
#include "platform/Cp932.h"
#include "system/ZubaUtil.h"
#include "toolkit/Application.h"
#include "toolkit/UiServices.h"
#include "ui/Place.h"
#include "ui/ZubaSelFiles.h"

namespace zuba::ui {
namespace {

using namespace toolkit;

template <class T, class... Args>
T& Make(Control& parent, const char* name, Rect b, const char* caption, Args&&... args) {
  T& control =
      Place<T>(parent, name, b.left, b.top, b.width, b.height, std::forward<Args>(args)...);
  control.SetCaption(caption);
  return control;
}

// A path label as the dialog places them: no length limit, shortened at the
// right, no case, separator or name conversion, no hint. Each assignment
// runs the display with the empty path, so the caption starts empty.
TPathLabel& MakePathLabel(Control& parent, const char* name, Rect bounds, platform::Files& files,
                          platform::System& system) {
  TPathLabel& label = Make<TPathLabel>(parent, name, bounds, "", files, system);
  label.SetAutoSize(false);
  label.SetMaxLength(0);
  label.SetStyle(TStretchStyle::ssRight);
  label.SetTextCase(TTextCase::tcNone);
  label.SetPathSeparator(TPathSeparator::psNone);
  label.SetPathType(TPathType::ptNone);
  label.SetAutoUpdateHint(false);
  return label;
}

// The directory part of a path with its trailing "\" (or ":"), as
// ExtractFilePath gives it; a trail byte 0x5C is no separator.
std::string DirectoryOf(const std::string& path) {
  std::size_t end = 0;
  for (std::size_t i = 0; i < path.size(); i += platform::Cp932CharLength(path, i)) {
    if (path[i] == '\\' || path[i] == ':') end = i + 1;
  }
  return path.substr(0, end);
}

std::string SkippedMessage(const std::vector<std::string>& skipped) {
  std::string text = "次の設定は起動時のメニューに書けない文字を含むため、メニューから除きました。"
                     "\r\n(| < > % \" と、「ポ」のように 2 バイト目が | の文字、/ で始まる語、"
                     "続けて 2 つの空白)";
  for (const std::string& name : skipped) text += "\r\n【" + name + "】";
  return text;
}

}  // namespace

TfmZbSel::TfmZbSel(Application& app, platform::Registry&, platform::Files& files,
                   platform::Profiles& profiles, platform::System& system,
                   const std::string& settingsPath)
    : Form(app),
      cbOpt(Make<CheckBox>(*this, "cbOpt", {12, 108, 225, 17}, "/c オプション付き （お勧め）")),
      btCreate(Make<Button>(*this, "btCreate", {136, 134, 89, 25}, "OK")),
      BitBtn2(Make<Button>(*this, "BitBtn2", {230, 134, 89, 25}, "キャンセル")),
      GroupBox1(Make<GroupBox>(*this, "GroupBox1", {8, 8, 311, 43}, "autoexec.bat のディレクトリ")),
      lbDirAutoexec(MakePathLabel(GroupBox1, "lbDirAutoexec", {10, 20, 291, 13}, files, system)),
      GroupBox2(Make<GroupBox>(*this, "GroupBox2", {8, 58, 311, 43}, "zubanet.exe のディレクトリ")),
      PathLabel1(MakePathLabel(GroupBox2, "PathLabel1", {10, 20, 291, 13}, files, system)),
      lbDirZubaNet(MakePathLabel(GroupBox2, "lbDirZubaNet", {10, 20, 291, 13}, files, system)),
      IniGT(profiles, files),
      OpenDialog(Add<toolkit::OpenDialog>("OpenDialog")),
      files_(files) {
  SetName("fmZbSel");
  SetCaption("ZubaSel - zubasel.bat Maker");
  SetBorderStyle(BorderStyle::kSingle);
  SetBorderIcons(kBiSystemMenu);
  SetPosition(FormPosition::kScreenCenter);
  SetClientSize(327, 167);

  cbOpt.SetChecked(true);
  btCreate.SetGlyph("BtnOk");
  btCreate.SetDefault(true);
  btCreate.SetModalResult(ModalResult::kOk);
  BitBtn2.SetGlyph("BtnCancel");
  BitBtn2.SetCancel(true);
  BitBtn2.SetModalResult(ModalResult::kCancel);
  cbOpt.SetTabOrder(0);
  btCreate.SetTabOrder(1);
  BitBtn2.SetTabOrder(2);

  IniGT.SetDefaultDir(core::ddApplication);
  IniGT.SetFence(core::fnNone);
  IniGT.Loaded();
  if (!settingsPath.empty()) IniGT.SetFileName(settingsPath);

  OpenDialog.SetDefaultExt("bat");
  OpenDialog.SetTitle("autoexec.bat を選択してください");
  OpenDialog.SetOptions(kOfHideReadOnly | kOfPathMustExist | kOfNoLongNames | kOfEnableSizing);

  SetOnShow([this](Component& sender) { FormShow(sender); });
  btCreate.SetOnClick([this](Component& sender) { bt1Click(sender); });
  // A form made outside Application::CreateForm is complete here.
  FinishCreation();
}

void TfmZbSel::FormShow(Component&) {
  OpenDialog.SetInitialDir(system::GetWindowsDir(files_).substr(0, 3));
  OpenDialog.SetFileName("autoexec.bat");
  ProgramDir = DirectoryOf(files_.ProgramPath());
  lbDirZubaNet.SetCaption(ProgramDir);
  if (OpenDialog.Execute()) {
    const std::uint32_t attributes = files_.GetAttributes(OpenDialog.FileName());
    if (attributes != platform::kInvalidAttributes && !(attributes & platform::kAttrDirectory)) {
      AutoexecDir = DirectoryOf(OpenDialog.FileName());
      lbDirAutoexec.SetCaption(AutoexecDir);
      btCreate.SetEnabled(true);
      return;
    }
  }
  AutoexecDir.clear();
  lbDirAutoexec.SetCaption("(none)");
  btCreate.SetEnabled(false);
  App().Ui().ShowWarningDialog(kNoAutoexecTitle, kNoAutoexecText, kNoAutoexecButton);
}

void TfmZbSel::bt1Click(Component&) {
  std::vector<std::string> names;
  IniGT.ReadTextList(core::kSettingListSection, core::kSettingsListName, &names);
  std::vector<std::string> skipped;
  names = BootMenuNames(names, &skipped);
  if (!skipped.empty()) {
    App().Ui().ShowMessageBox(SkippedMessage(skipped), App().Title(), MessageIcon::kWarning,
                              MessageButtons::kOk);
  }
  // The boot files name the program's directory as real-mode DOS sees it.
  const std::string bootDir = BootDirectory(files_, ProgramDir);
  MakeSwitchBatch(files_, bootDir, names);
  AddAutoexecCall(files_, AutoexecDir, bootDir);
  MakeRegFiles(files_, bootDir, names, cbOpt.Checked());
}

}  // namespace zuba::ui
