// The boot-time switch maker: a dialog that writes a batch file with a menu
// of the saved settings and one registry script per setting, and hooks the
// batch file into AUTOEXEC.BAT (the files: ZubaSelFiles.h). It keeps a
// settings-file store of its own on the main window's file. Created hidden
// after the main window; the option menu's "Windows起動時に切り替える..."
// shows it modally.
#ifndef ZUBA_UI_ZUBASEL_H_
#define ZUBA_UI_ZUBASEL_H_

#include <string>

#include "core/IniGT.h"
#include "platform/Files.h"
#include "platform/Profiles.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/OpenDialog.h"
#include "ui/PathLbl.h"

namespace zuba::ui {

class TfmZbSel : public toolkit::Form {
 public:
  // `settingsPath` is the settings file's Windows path (empty: the default
  // name beside the program). The services must outlive the dialog.
  TfmZbSel(toolkit::Application& app, platform::Registry& registry, platform::Files& files,
           platform::Profiles& profiles, platform::System& system, const std::string& settingsPath);

  toolkit::CheckBox& cbOpt;  // the scripts add " /c" (checked initially)
  toolkit::Button& btCreate;
  toolkit::Button& BitBtn2;
  toolkit::GroupBox& GroupBox1;
  TPathLabel& lbDirAutoexec;
  toolkit::GroupBox& GroupBox2;
  TPathLabel& PathLabel1;
  TPathLabel& lbDirZubaNet;
  core::TIniGT IniGT;
  toolkit::OpenDialog& OpenDialog;

  // The directory of the chosen autoexec.bat with its trailing backslash,
  // or empty; the directory of the running program, likewise.
  std::string AutoexecDir;
  std::string ProgramDir;

  // Each time the dialog is shown: asks for autoexec.bat (in the root of
  // the Windows drive) and enables btCreate when one was chosen; otherwise
  // shows the warning and leaves only cancel.
  void FormShow(toolkit::Component& sender);
  // OK: writes the menu batch file, the call line in autoexec.bat and the
  // scripts, in that order, for the settings of [SETTINGLIST] that the menu
  // can carry (those it cannot are named in a message first). A file error
  // ends the handler in the default error box; the steps before it stay.
  void bt1Click(toolkit::Component& sender);

 private:
  platform::Files& files_;
};

// The warning shown when no autoexec.bat was chosen, its title and button.
inline constexpr char kNoAutoexecText[] =
    "autoexec.bat が未選択のため、\n切り替え用バッチファイルの作成ができません。\n"
    "再度選択してください。";
inline constexpr char kNoAutoexecTitle[] = "警告";
inline constexpr char kNoAutoexecButton[] = "はい(&Y)";

}  // namespace zuba::ui

#endif  // ZUBA_UI_ZUBASEL_H_
