#include "app/zubanet/CommandLineRun.h"

#include <exception>

#include "core/IniGT.h"
#include "core/Positioned.h"
#include "core/SettingsFile.h"
#include "network/GetRegs.h"
#include "switch/CommandLine.h"
#include "switch/SwitchService.h"
#include "system/ZubaUtil.h"
#include "actions/Printers.h"
#include "toolkit/Cp932Text.h"
#include "ui/AppQuestions.h"
#include "ui/StartUpQuestions.h"
#include "ui/TransferMenu.h"

namespace zuba::app {
namespace {

using switching::CommandLine;
using switching::SwitchOptions;
using switching::SwitchService;

// Where a window that was never moved stands.
class Position : public core::TPositioned {
 public:
  int Left() const override { return left_; }
  int Top() const override { return top_; }
  void SetLeft(int left) override { left_ = left; }
  void SetTop(int top) override { top_ = top; }

 private:
  int left_ = 0;
  int top_ = 0;
};

// The settings file beside the program, as the window keeps it.
class ProgramSettings {
 public:
  ProgramSettings(const platform::Services& machine)
      : ini_(machine.profiles, machine.files), settings_(ini_, machine.files) {
    ini_.SetDefaultDir(core::ddApplication);
    ini_.SetFence(core::fnNone);
    ini_.Loaded();
  }
  core::TIniGT& Ini() { return ini_; }
  core::SettingsFile& File() { return settings_; }

 private:
  core::TIniGT ini_;
  core::SettingsFile settings_;
};

// The setting list as the window's list holds it: the stored order once
// the user has ordered it, else rebuilt (sorted as the window's sorted
// list orders it).
std::vector<std::string> SettingList(core::SettingsFile& settings) {
  return settings.ReadListEdited() ? settings.ReadSettingList() : settings.RebuildSettingList();
}

int IndexOf(const std::vector<std::string>& items, const std::string& item) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (toolkit::SameTextNoCase(items[i], item)) return static_cast<int>(i);
  }
  return -1;
}

// The run of one command line, in the order of the window's start.
class CommandLineRun {
 public:
  CommandLineRun(toolkit::Application& app, const platform::Services& machine,
                 const CommandLine& line)
      : app_(app),
        machine_(machine),
        line_(line),
        settings_(machine),
        questions_(app, [this] { return answerConflicts_; }),
        service_(machine, questions_, settings_.Ini().Path()),
        printers_(machine.profiles, machine.registry, machine.files, machine.system) {}

  void Run() {
    // An apply cut short first, then a trial waiting for the user's word.
    service_.Recover();
    const switching::UndoneTrial undone = service_.ConfirmTrial();
    core::SettingsFile& settings = settings_.File();
    options_ = switching::StoredOptions(settings);
    options_.noRestartQuestion = line_.noRestartQuestion;
    options_.powerOffInstead = line_.powerOffInstead;
    answerConflicts_ = settings.ReadOption(3);
    installed_ = printers_.InstalledPrinters();
    names_ = SettingList(settings);
    NoteAdapterGone(settings.ReadPrevious());
    StartSettingsFile();
    try {
      RunCommand(undone);
    } catch (const std::exception& error) {
      // A request to end Windows that failed.
      questions_.ReportError(error);
    }
    Close();
  }

 private:
  switching::PrinterLookup InstalledPrinter() {
    return [this](const std::string& name) {
      const int index = IndexOf(installed_, name);
      return index < 0 ? std::string() : installed_[index];
    };
  }

  // A setting that is recalled with an address whose adapter the machine
  // no longer has is noted, as the window notes it.
  void NoteAdapterGone(const std::string& name) {
    const int index = name.empty() ? -1 : IndexOf(names_, name);
    if (index < 0) return;
    core::TRegList setting;
    core::InitRegList(setting, options_.forceWin98Mode, machine_.system);
    settings_.File().RecallSetting(names_[index], &setting);
    if (!setting[core::kIp].IsSet) return;
    if (!adaptersFound_) {
      system::NameList descriptions;
      network::DiscoverAdapters(machine_.registry, system::LeadBytes(machine_.system), descriptions,
                                adapterSubkeys_);
      adaptersFound_ = true;
    }
    if (IndexOf(adapterSubkeys_, settings_.File().ReadAdapter(names_[index])) < 0) {
      ui::ShowAdapterChanged(app_.Ui());
    }
  }

  // A file of the first layout is converted after a question; where there
  // is none, one of the current layout is started.
  void StartSettingsFile() {
    core::SettingsFile& settings = settings_.File();
    if (machine_.files.GetAttributes(settings.ListedFilePath()) != platform::kInvalidAttributes) {
      if (!settings.ReadConverted()) {
        ui::OfferSettingsConversion(app_, settings_.Ini(), machine_.files, names_);
      }
      return;
    }
    try {
      settings.StartIfMissing();
    } catch (const system::Exception&) {
    }
  }

  void RunCommand(const switching::UndoneTrial& undone) {
    if (undone.undone) {
      // The trial went back at start-up: the restart follows as after an
      // undo, and the program ends.
      service_.DecideRestart(switching::UndoneCaption(undone.settingName), undone.restartNeeded,
                             options_);
      return;
    }
    if (line_.confirmOnly) return;  // the confirmation ran at start-up
    if (line_.standingOnly) {
      service_.ShowStanding(names_, options_, InstalledPrinter());
      return;
    }
    if (line_.undoLast) {
      service_.Undo(options_);
      return;
    }
    const int index = IndexOf(names_, line_.name);
    if (line_.previewOnly) {
      if (index < 0) {
        system::ShowInfoBox(questions_, "「" + line_.name + "」 という設定はありません");
        return;
      }
      NoteAdapterGone(names_[index]);
      service_.Preview(service_.StoredRequest(names_[index], options_, InstalledPrinter()));
      return;
    }
    if (index < 0) {
      settings_.File().WritePrevious("");
      return;
    }
    NoteAdapterGone(names_[index]);
    if (system::IsAltKeyDown(machine_.system) || system::IsCtrlKeyDown(machine_.system)) {
      options_.powerOffInstead = true;
    }
    service_.Apply(service_.StoredRequest(names_[index], options_, InstalledPrinter()),
                   line_.trial, options_);
  }

  // What the window's close stores: its position (where the settings file
  // put it) and the option menu's choices (as read).
  void Close() {
    core::SettingsFile& settings = settings_.File();
    try {
      Position position;
      settings.ReadWindowPosition(&position);
      core::SettingsFile::MenuChoices choices;
      for (int number = 1; number <= core::kOptionCount; ++number) {
        choices.options[number - 1] = settings.ReadOption(number);
      }
      choices.saveWarnings = settings.ReadSaveWarnings();
      settings.WriteWindowState(position, choices);
    } catch (const std::exception& error) {
      questions_.ReportError(error);
    }
  }

  toolkit::Application& app_;
  const platform::Services& machine_;
  const CommandLine line_;
  ProgramSettings settings_;
  ui::AppQuestions questions_;
  SwitchService service_;
  actions::Printers printers_;
  SwitchOptions options_;
  bool answerConflicts_ = false;
  std::vector<std::string> installed_;
  std::vector<std::string> names_;
  // The machine's adapters, found once when a setting with an address is
  // recalled.
  bool adaptersFound_ = false;
  system::NameList adapterSubkeys_;
};

}  // namespace

bool RunCommandLine(toolkit::Application& app, const platform::Services& machine,
                    const std::vector<std::string>& commandLine) {
  // Settings moved to another machine go through the window's dialogs.
  if (ui::IsTransferCommand(commandLine)) return false;
  const CommandLine line = switching::ParseCommandLine(commandLine);
  if (!line.RunsWithoutWindow()) return false;
  CommandLineRun(app, machine, line).Run();
  return true;
}

}  // namespace zuba::app
