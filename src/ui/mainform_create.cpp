// The main window's life: creation, the command line, the first show and
// the close.
#include <exception>
#include <limits>

#include "core/AnsiText.h"
#include "network/GetRegs.h"
#include "system/Errors.h"
#include "switch/CommandLine.h"
#include "system/ZubaUtil.h"
#include "toolkit/Application.h"
#include "toolkit/UiServices.h"
#include "ui/RestartQuestion.h"
#include "ui/TransferMenu.h"
#include "ui/mainform.h"
#include "ui/winsform.h"

namespace zuba::ui {
namespace {

using namespace toolkit;

constexpr char kHelpFileName[] = "Zubanet.hlp";

// The window's left and top edge as the settings file keeps them. Reading
// starts from "no value", so the window learns which edges were stored.
class StoredPosition : public core::TPositioned {
 public:
  static constexpr int kNone = std::numeric_limits<int>::min();

  StoredPosition() = default;
  StoredPosition(int left, int top) : left_(left), top_(top) {}
  int Left() const override { return left_; }
  int Top() const override { return top_; }
  void SetLeft(int left) override { left_ = left; }
  void SetTop(int top) override { top_ = top; }

 private:
  int left_ = kNone;
  int top_ = kNone;
};

}  // namespace

void TForm1::FormCreate(Component&) {
  // An apply cut short is dealt with before anything else reads the
  // machine; then a trial waiting for the user's word.
  RecoverCutShortApply();
  ConfirmTrial();
  // 1. A stored edge moves the window; then it is no longer the system's
  // to place (Form::PositionSet). The renderer brings a window that would
  // lie off every screen back onto one.
  StoredPosition stored;
  Settings.ReadWindowPosition(&stored);
  if (stored.Left() != StoredPosition::kNone || stored.Top() != StoredPosition::kNone) {
    MoveTo(stored.Left() != StoredPosition::kNone ? stored.Left() : Left(),
          stored.Top() != StoredPosition::kNone ? stored.Top() : Top());
  }
  // 2, 3.
  SizeForViewMode();
  CbTrg.Hide();
  // 4, 5.
  App().SetHelpFile(core::ExtractDirectory(files_.ProgramPath()) + kHelpFileName);
  App().SetOnHint([this](Component& sender) { DisplayHint(sender); });
  // 6, 7, 8.
  toolkit::MenuItem* options[] = {&PmOpt1, &PmOpt2, &PmOpt3, &PmOpt4, &PmOpt5, &PmOpt6, &PmOpt7};
  for (int number = 1; number <= core::kOptionCount; ++number) {
    options[number - 1]->SetChecked(Settings.ReadOption(number));
  }
  PmOpt2.SetEnabled(PmOpt5.Checked());
  pmSaveWarnings.SetChecked(Settings.ReadSaveWarnings());
  core::InitRegList(CurrentSetting, PmOpt6.Checked(), system_);
  // 9.
  system::NameList names;
  system::NameList subkeys;
  network::DiscoverAdapters(registry_, lead_, names, subkeys);
  CbTnc.SetItems(names);
  CbTrg.SetItems(subkeys);
  // 10.
  std::string windows = system::GetWindowsDir(files_);
  odHosts.SetInitialDir(windows);
  odLmhosts.SetInitialDir(windows);
  fcbtHosts.SetCopyDst(windows + "hosts");
  fcbtLmhosts.SetCopyDst(windows + "lmhosts");
  // 11, 12, 13.
  FmWins = &Add<TFmWins>("FmWins", App(), CurrentSetting, system_);
  pcbPr.FillPrinters();
  LoadSettingList();
  // 14. A file of the first layout is converted after a question. Where
  // there is none yet, the program starts one of the current layout: the
  // file it writes is never taken for an old one at the next start. A file
  // that cannot be made now is reported by the first write that needs it.
  if (files_.GetAttributes(Settings.ListedFilePath()) != platform::kInvalidAttributes) {
    if (!Settings.ReadConverted()) ConvertSettingsFile();
  } else {
    try {
      Settings.StartIfMissing();
    } catch (const system::Exception&) {
    }
  }
  // 15, 16.
  AutoApply = false;
  NoRestartQuestion = false;
  PowerOffInstead = false;
  PreviewOnly = false;
  UndoLast = false;
  TrialApply = false;
  ConfirmOnly = false;
  StandingOnly = false;
  AutoApplyName.clear();
  ReadCommandLine(commandLine_);
}

void TForm1::ReadCommandLine(const std::vector<std::string>& parameters) {
  // Moving settings to another machine has switches of its own, kept away
  // from the one-letter ones (/export is no /e).
  TransferCommand.clear();
  if (IsTransferCommand(parameters)) {
    TransferCommand = parameters;
    return;
  }
  const switching::CommandLine line = switching::ParseCommandLine(parameters);
  NoRestartQuestion = NoRestartQuestion || line.noRestartQuestion;
  PowerOffInstead = PowerOffInstead || line.powerOffInstead;
  PreviewOnly = PreviewOnly || line.previewOnly;
  UndoLast = UndoLast || line.undoLast;
  TrialApply = TrialApply || line.trial;
  ConfirmOnly = ConfirmOnly || line.confirmOnly;
  StandingOnly = StandingOnly || line.standingOnly;
  if (line.named) {
    AutoApply = true;
    AutoApplyName = line.name;
  }
}

void TForm1::ShowingChanged() {
  Form::ShowingChanged();
  if (!Visible()) return;
  RunHandler([this] {
    Update();
    if (trialUndone_) {
      // The trial went back at start-up: the restart follows as after an
      // undo, and the program ends.
      trialUndone_ = false;
      DecideRestart(UndoneCaption(trialName_), trialRestartNeeded_);
      return;
    }
    if (ConfirmOnly) {
      // /K: the confirmation ran at start-up; nothing else is done.
      Close();
      return;
    }
    if (!TransferCommand.empty()) {
      const std::vector<std::string> command = std::move(TransferCommand);
      TransferCommand.clear();
      try {
        RunTransferCommand(*this, command);
      } catch (const std::exception& error) {
        App().HandleException(error);
      }
      Close();
      return;
    }
    if (StandingOnly) {
      ShowStanding();
      Close();
      return;
    }
    if (UndoLast) {
      // /U: the undo ends the program as an apply does; with nothing to
      // undo the program ends after saying so.
      UndoLast = false;
      UndoLastApply();
      Close();
      return;
    }
    if (!AutoApply) return;
    AutoApply = false;
    int index = CbSetting.IndexOf(AutoApplyName);
    if (PreviewOnly) {
      // /P NAME: the preview, then the end; nothing is written.
      if (index < 0) {
        system::ShowInfoBox(App().Ui(), "「" + AutoApplyName + "」 という設定はありません");
      } else {
        CbSetting.SetItemIndex(index);
        CbSettingChange(CbSetting);
        ShowPreview();
      }
      Close();
      return;
    }
    if (index < 0) {
      Settings.WritePrevious("");
      Close();
      return;
    }
    CbSetting.SetItemIndex(index);
    CbSettingChange(CbSetting);
    ApplySelected(TrialApply);
  });
}

void TForm1::FormClose(Component&, CloseAction&) {
  // The window closes even when the settings file refuses the writes: the
  // error is shown, and nothing else is at stake.
  try {
    Settings.WriteWindowState(StoredPosition(Left(), Top()), MenuChoices());
  } catch (const std::exception& error) {
    App().HandleException(error);
  }
}

core::SettingsFile::MenuChoices TForm1::MenuChoices() const {
  const toolkit::MenuItem* items[] = {&PmOpt1, &PmOpt2, &PmOpt3, &PmOpt4,
                                      &PmOpt5, &PmOpt6, &PmOpt7};
  core::SettingsFile::MenuChoices choices;
  for (int number = 1; number <= core::kOptionCount; ++number) {
    choices.options[number - 1] = items[number - 1]->Checked();
  }
  choices.saveWarnings = pmSaveWarnings.Checked();
  return choices;
}

void TForm1::SaveOptions() { Settings.WriteMenuChoices(MenuChoices()); }

}  // namespace zuba::ui
