// The main window: the list of saved settings with Config and Apply (view
// mode), and every group of a setting with Save, Close and Delete (edit
// mode). It owns the settings file store, the setting being shown
// (CurrentSetting), the option menu, the WINS dialog and the components that
// carry a setting's extras.
//
// The controls, the components and the handlers carry the names the rest of
// the program knows them by. The handlers of the setting management
// (mainform_manage.cpp) and of the apply flow (mainform_apply.cpp) live in
// files of their own; the window's own behaviour is in mainform_*.cpp.
#ifndef ZUBA_UI_MAINFORM_H_
#define ZUBA_UI_MAINFORM_H_

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "actions/ExitWin32.h"
#include "ui/ExitWin.h"
#include "ui/FileCopyBtn.h"
#include "ui/PrComboBox.h"
#include "ui/ZbProxy.h"
#include "ui/ZubaExec.h"
#include "ui/ZubaPPP.h"
#include "core/IniGT.h"
#include "core/RegType.h"
#include "core/SettingsFile.h"
#include "platform/Files.h"
#include "platform/Profiles.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "switch/SwitchService.h"
#include "system/jstrm.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/FileNameEdit.h"
#include "toolkit/Form.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/OpenDialog.h"
#include "toolkit/Panel.h"
#include "toolkit/Picture.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/RadioGroup.h"
#include "toolkit/StatusBar.h"
#include "ui/AppQuestions.h"
#include "ui/MlChkbox.h"
#include "ui/PanelEx.h"
#include "ui/TulGroupCheckBox.h"
#include "ui/ZbPanelEx.h"
#include "ui/ZubaVersion.h"


namespace zuba::ui {

class TFmWins;
class TDualListDlg;  // the reorder dialog; the setting management builds it

// The colour of the fields a setting needs (light cyan).
inline constexpr toolkit::Color kRequiredColor = toolkit::Rgb(128, 255, 255);

// The client sizes of the two modes.
inline constexpr int kViewClientWidth = 185;
inline constexpr int kViewClientHeight = 57;
inline constexpr int kEditClientWidth = 541;
inline constexpr int kEditClientHeight = 382;

class TForm1 : public toolkit::Form {
 public:
  // The services must outlive the window. `commandLine` is the program's
  // command line as Windows passes it (the parameters after the program's
  // name); FormCreate reads it. Application::CreateForm runs FormCreate.
  TForm1(toolkit::Application& app, platform::Registry& registry, platform::Files& files,
         platform::Profiles& profiles, platform::System& system,
         std::vector<std::string> commandLine = {});
  ~TForm1() override;

  // --- Top row and name group --------------------------------------------
  toolkit::Label& LaSetting;
  toolkit::ComboBox& CbSetting;
  toolkit::Panel& PnOpr;
  toolkit::Button& BtConfig;
  toolkit::Button& BtApply;
  toolkit::Button& BtDelete;
  toolkit::GroupBox& GbNm;
  toolkit::Edit& EdNm;
  TMultiLineCheckBox& CbCpl;
  toolkit::Picture& Image5;
  toolkit::Picture& Image1;
  TFileCopyBtn& fcbtHosts;
  TFileCopyBtn& fcbtLmhosts;
  TPrComboBox& pcbPr;
  toolkit::Button& BtOpt;
  toolkit::Button& BbCan;
  toolkit::Button& BbOk;
  toolkit::StatusBar& Sb1;
  toolkit::ListBox& LsIniIni;

  // --- TCP/IP -------------------------------------------------------------
  toolkit::CheckBox& CbTcp;
  TPanelEx& PnTcp;
  toolkit::Picture& Image2;
  toolkit::ComboBox& CbTnc;
  toolkit::ComboBox& CbTrg;
  TPanelEx& PnTcp2;
  toolkit::Label& LaTip;
  toolkit::Edit& EdTip;
  toolkit::Label& LaTms;
  toolkit::Edit& EdTms;
  toolkit::Label& LaTgw;
  toolkit::Edit& EdTgw;
  toolkit::ListBox& LbTgw;
  TMultiLineCheckBox& CbTdh;
  TMultiLineCheckBox& CbWiDh;
  toolkit::Button& BtWins;

  // --- DNS ----------------------------------------------------------------
  TTulGroupCheckBox& CbDde;
  TPanelEx& PnDns;
  toolkit::Label& LaDhs;
  toolkit::Edit& EdDhs;
  toolkit::Label& LaDdm;
  toolkit::Edit& EdDdm;
  toolkit::Label& LaDip;
  toolkit::Edit& EdDip;
  toolkit::ListBox& LbDip;
  toolkit::Label& LaDsf;
  toolkit::Edit& EdDsf;
  toolkit::ListBox& LbDsf;

  // --- Proxy --------------------------------------------------------------
  TTulGroupCheckBox& CbPpe;
  TZbPanelEx& pnPxy;
  TTulGroupCheckBox& cbPxyEnable;
  toolkit::CheckBox& cbPxyLocal;
  toolkit::Label& Label11;
  toolkit::Edit& edPxyAddr;
  toolkit::Label& Label9;
  toolkit::Edit& edPxyPort;
  toolkit::Button& Button1;
  toolkit::Label& Label10;
  toolkit::Edit& edPxyAutoURL;

  // --- Dial-up ------------------------------------------------------------
  TTulGroupCheckBox& CbPpp;
  TPanelEx& PnPpp;
  toolkit::Picture& Image4;
  toolkit::ComboBox& CbPtl;
  toolkit::Label& Label3;
  toolkit::Picture& Image3;
  toolkit::ComboBox& CbPpf;
  toolkit::CheckBox& CbPac;
  toolkit::CheckBox& CbPad;

  // --- Launch -------------------------------------------------------------
  TTulGroupCheckBox& CbEex;
  TPanelEx& PnEex;
  toolkit::Label& Label2;
  toolkit::FileNameEdit& fedExe;
  toolkit::Label& Label8;
  toolkit::FileNameEdit& fedOpt;

  // --- Workgroup ----------------------------------------------------------
  TTulGroupCheckBox& CbWgp;
  TPanelEx& PnWg;
  toolkit::Label& Label4;
  toolkit::Edit& EdWlc;
  toolkit::Edit& EdWcc;
  toolkit::Label& Label6;
  toolkit::Edit& EdWgp;
  toolkit::RadioGroup& RgLogon;
  toolkit::Label& Label1;
  toolkit::Edit& EdWli;
  toolkit::Label& Label5;
  toolkit::Edit& EdWld;
  TMultiLineCheckBox& CbWfs;
  TMultiLineCheckBox& CbWps;

  // --- Components ---------------------------------------------------------
  // The settings file beside the program (ddApplication, fnNone), and its
  // layout on top of it.
  core::TIniGT IniGT;
  core::SettingsFile Settings;
  TExitWin& ExitWin;
  toolkit::PopupMenu& PmOpt;
  toolkit::MenuItem& PmOpt1;
  toolkit::MenuItem& PmOpt3;
  toolkit::MenuItem& PmOpt4;
  toolkit::MenuItem& PmOpt5;
  toolkit::MenuItem& PmOpt2;
  toolkit::MenuItem& PmOpt6;
  toolkit::MenuItem& PmOpt7;
  toolkit::MenuItem& N3;
  toolkit::MenuItem& pmEditList;
  toolkit::MenuItem& Windows1;
  toolkit::MenuItem& N2;
  toolkit::MenuItem& ZubaNet1;
  // The switch journal's entries: what an apply of the selected setting
  // would change, and the undo of the last apply.
  toolkit::MenuItem& N4;
  toolkit::MenuItem& pmPreview;
  toolkit::MenuItem& pmUndo;
  // Whether a save warns about a setting that cannot work (SaveWarnings).
  toolkit::MenuItem& N5;
  toolkit::MenuItem& pmSaveWarnings;
  // The trial apply of the selected setting, and which saved settings the
  // machine holds now.
  toolkit::MenuItem& N6;
  toolkit::MenuItem& pmTrial;
  toolkit::MenuItem& pmStanding;
  TDualListDlg* DualListDlg = nullptr;
  toolkit::OpenDialog& odHosts;
  toolkit::OpenDialog& odLmhosts;
  toolkit::OpenDialog& OpenDialog;
  TZubaExec& zbExec;
  TZubaPPP& zbPPP;
  TZbProxy& ZbProxy;
  TZubaVersion& zbVersion;
  // The WINS dialog, created by FormCreate and owned by the window.
  TFmWins* FmWins = nullptr;

  // --- State --------------------------------------------------------------
  bool AutoApply = false;          // a setting name came on the command line
  bool PowerOffInstead = false;    // /E: a restart becomes a power-off
  bool NoRestartQuestion = false;  // /C: restart without asking
  std::string AutoApplyName;       // the setting name of the command line
  bool PreviewOnly = false;        // /P: show what applying the name would change
  bool UndoLast = false;           // /U: undo the last apply
  bool TrialApply = false;         // /T: the named setting's apply is a trial
  bool ConfirmOnly = false;        // /K: confirm a trial (RunOnce), then end
  bool StandingOnly = false;       // /S: where the machine stands, then end
  std::vector<std::string> TransferCommand;  // /export or /import (ui/TransferMenu), then end
  core::TRegList CurrentSetting;   // the setting shown, edited or applied

  // The platform services the window works with.
  platform::Registry& GetRegistry() const { return registry_; }
  platform::Files& GetFiles() const { return files_; }
  platform::Profiles& GetProfiles() const { return profiles_; }
  platform::System& GetSystem() const { return system_; }
  const system::LeadBytes& GetLeadBytes() const { return lead_; }

  // The dialog Windows1 shows (the boot-time switch maker); nullptr: none.
  void SetBootDialog(toolkit::Form* dialog) { bootDialog_ = dialog; }

  // --- The window's own handlers ------------------------------------------
  void FormCreate(toolkit::Component& sender);
  void ShowingChanged() override;
  void BtConfigClick(toolkit::Component& sender);
  void BbCanClick(toolkit::Component& sender);
  void EdNmEnter(toolkit::Component& sender);
  void FormKeyPress(toolkit::Component& sender, char& key);
  void CbSettingKeyDown(toolkit::Component& sender, std::uint16_t& key, toolkit::ShiftState shift);
  void EdTgwKeyPress(toolkit::Component& sender, char& key);
  void LbDipKeyDown(toolkit::Component& sender, std::uint16_t& key, toolkit::ShiftState shift);
  void CbMouseDownHelp(toolkit::Component& sender, toolkit::MouseButton button,
                       toolkit::ShiftState shift, int x, int y);
  void BtOptClick(toolkit::Component& sender);
  void PmOptChkClick(toolkit::Component& sender);
  void PmOpt5Click(toolkit::Component& sender);
  // The options menu's choices as the menu shows them.
  core::SettingsFile::MenuChoices MenuChoices() const;
  // Writes the options menu's choices in one change of the settings file.
  void SaveOptions();
  void DisplayHint(toolkit::Component& sender);
  void ZubaNet1Click(toolkit::Component& sender);
  void FormClose(toolkit::Component& sender, toolkit::CloseAction& action);
  void Image5Click(toolkit::Component& sender);
  void BtWinsClick(toolkit::Component& sender);
  void Windows1Click(toolkit::Component& sender);
  void pmPreviewClick(toolkit::Component& sender);
  void pmUndoClick(toolkit::Component& sender);
  void pmTrialClick(toolkit::Component& sender);
  void pmStandingClick(toolkit::Component& sender);

  // Reads the command line (`parameters`, first to last): "/C" sets
  // NoRestartQuestion, "/E" PowerOffInstead, "/P" PreviewOnly, "/U"
  // UndoLast, "/T" TrialApply, "/K" ConfirmOnly, "/S" StandingOnly, other
  // switches are ignored;
  // every other parameter is part of the setting name (AutoApply), the
  // parts joined by single blanks.
  void ReadCommandLine(const std::vector<std::string>& parameters);

  // --- Setting management (mainform_manage.cpp) ---------------------------
  void LoadSettingList();
  void CbSettingChange(toolkit::Component& sender);
  void BbOkClick(toolkit::Component& sender);
  void BtDeleteClick(toolkit::Component& sender);
  void pmEditListClick(toolkit::Component& sender);
  void CbTrgChange(toolkit::Component& sender);
  void CbTncChange(toolkit::Component& sender);
  void CbTcpClick(toolkit::Component& sender);
  void CbTdhClick(toolkit::Component& sender);
  void CbWiDhClick(toolkit::Component& sender);
  void CbDdeClick(toolkit::Component& sender);
  void RemoveAdapterEntry(const std::string& name);
  // With pmSaveWarnings checked: the findings about the captured
  // CurrentSetting (core/SettingWarnings) in one box; true when there are
  // none or the user saves anyway, false (the focus on the field of the
  // first finding) when the user goes back to editing.
  bool ConfirmSaveWarnings(const std::string& name);
  // Moves a settings file of the first layout to the current one.
  void ConvertSettingsFile();
  // Builds DualListDlg; the window's constructor calls it.
  void CreateDualListDlg();

  // --- Apply (mainform_apply.cpp) -----------------------------------------
  void BtApplyClick(toolkit::Component& sender);
  // Applies the selected setting (a `trial` apply leaves the RunOnce entry
  // of its confirmation), then decides about the restart; with nothing
  // selected the window closes.
  void ApplySelected(bool trial);
  // The restart decision that ends an apply or an undo, then the window's
  // close: `caption` says which was done, `notice` comes before the
  // restart question.
  void DecideRestart(const std::string& caption, bool restartNeeded,
                     const std::string& notice = "");
  // What applying the selected setting would change, shown to the user.
  void ShowPreview();
  // Undoes the last completed apply (asking first when values were changed
  // since), then decides about the restart as an apply does.
  void UndoLastApply();
  // At start-up: an apply that was cut short is finished or undone, as the
  // user answers; a damaged journal is reported and left alone.
  void RecoverCutShortApply();
  // At start-up, after the recovery: a trial apply not yet kept or undone
  // is compared with the machine (what differs is listed) and the user
  // asks to keep it within [Initialize] TrialSeconds; otherwise it is
  // undone, and the first show takes the restart decision.
  void ConfirmTrial();
  // Lists the saved settings the machine holds now and how it differs from
  // the last apply (a report; nothing is written).
  void ShowStanding();
  // The apply of the saved setting `name` as the window would make it
  // after recalling it, built without showing it.
  switching::ApplyRequest StoredRequest(const std::string& name);
  // The switch service on the window's machine, settings file and
  // questions; the options as the window shows them; the installed printer
  // a setting names, as the printer list has it.
  switching::SwitchService Switch();
  switching::SwitchOptions Options() const;
  switching::PrinterLookup InstalledPrinter();

 private:
  platform::Registry& registry_;
  platform::Files& files_;
  platform::Profiles& profiles_;
  platform::System& system_;
  system::LeadBytes lead_;
  // The switch's questions: the window's message boxes; PmOpt3 answers the
  // control panel; the window hides while the switch writes.
  AppQuestions questions_;

  void BindHandlers();
  // Runs `run`, then takes back PowerOffInstead from `options` (a No to
  // the restart question sets it), also when `run` raises.
  bool KeepingPowerOff(switching::SwitchOptions& options, const std::function<bool()>& run);
  // The list entry field and the list of a Tag (1 gateways, 2 DNS servers,
  // 3 suffixes); nullptr for another Tag.
  toolkit::Edit* EntryField(int tag);
  toolkit::ListBox* EntryList(int tag);
  void SetInitialStates();
  // The client size of view mode or of edit mode.
  void SizeForViewMode();
  void SizeForEditMode();

  std::vector<std::string> commandLine_;
  toolkit::Form* bootDialog_ = nullptr;
  // A trial the start-up undid: the first show decides about the restart.
  bool trialUndone_ = false;
  std::string trialName_;
  bool trialRestartNeeded_ = false;
};

}  // namespace zuba::ui

#endif  // ZUBA_UI_MAINFORM_H_
