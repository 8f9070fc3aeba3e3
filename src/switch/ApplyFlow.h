// Applying a setting: everything the main window's Apply does between
// hiding the window and deciding about the restart. It reads the adapter
// subkey stored for the setting, checks that every value can be written,
// then writes the setting into the system step by step: the registry items
// 0 to 13, the DNS clean-up, the WINS values, the logon provider, hosts and
// lmhosts, the default printer, the application to launch (waited for), the
// dial-up and proxy values, the Network control panel, the name of the
// setting as [Initialize] Previous and, with Opt7, the registry flushes.
//
// Every read and write goes through the platform services the flow is
// given and through nothing else, so the same steps run unchanged on
// decorated services (a journal that records each write, a dry run that
// only collects them).
//
// A step that fails ends the apply where it stands: what the steps before
// it wrote stays written, the steps after it do not run, and ApplyError
// tells the error and exactly what was not done.
#ifndef ZUBA_SWITCH_APPLYFLOW_H_
#define ZUBA_SWITCH_APPLYFLOW_H_

#include <functional>
#include <string>
#include <vector>

#include "core/RegType.h"
#include "platform/Services.h"
#include "system/AppShell.h"
#include "system/Errors.h"

namespace zuba::switching {

// The services an apply reads and writes through; they must outlive the
// flow.
using ApplyServices = platform::Services;

// A file that replaces another: the hosts or the lmhosts of the Windows
// directory. An empty source replaces nothing.
struct FileReplacement {
  std::string source;
  std::string target;
  bool replaceExisting = false;  // false: an existing target stays as it is
};

// What the main window hands to an apply: the setting and the controls the
// apply consults, as they stand.
struct ApplyRequest {
  std::string settingName;     // the entry selected in the setting list
  core::TRegList setting;      // CurrentSetting
  std::string settingsFile;    // the settings file's full path
  bool forceWin98Mode = false;  // Opt6
  bool flushRegistry = false;   // Opt7
  bool changeLogon = false;     // CbWgp is checked
  int logonChoice = -1;         // RgLogon's selected index
  FileReplacement hosts;        // fcbtHosts
  FileReplacement lmhosts;      // fcbtLmhosts
  std::string printer;          // pcbPr's selected entry; empty: none
  std::string launchFile;       // zbExec's file name; empty: none
  std::string launchOptions;    // zbExec's options
  bool runControlPanel = false;  // CbCpl is checked
  // Whether to confirm the control panel's version conflicts (the option
  // PmOpt3), asked each time one shows; needed when runControlPanel is set.
  std::function<bool()> answerConflicts;
};

// One unit of an apply, in the order the apply runs them.
struct ApplyStep {
  std::string label;  // what the step changes or does, for the user
  std::function<void()> run;
};

// An apply that was refused before its first write, or stopped by a step
// that failed. The message is the error's own message, then what was not
// done.
class ApplyError : public system::Exception {
 public:
  using Exception::Exception;
};

class ApplyFlow {
 public:
  ApplyFlow(const ApplyServices& services, system::AppShell& shell);

  // Applies `request`: Prepare, then every step of Plan in order. Raises
  // ApplyError when the setting is refused (nothing written) or a step
  // fails (the steps before it stay done).
  void Run(const ApplyRequest& request);

  // The setting as it will be written: the adapter subkey stored for the
  // setting's name in [NIC_registry_list] appended to the adapter-dependent
  // key paths (ip, gw, ms; wp, ws, nt in Win98 mode). Raises ApplyError,
  // having written nothing, when the setting carries such an item but has
  // no adapter entry, or when a value could not be written as it stands
  // (FindUnwritableValue).
  core::TRegList Prepare(const ApplyRequest& request);

  // The steps that apply `request` with the prepared `setting`: only those
  // that do something for it. The steps refer to both arguments, which must
  // outlive them.
  std::vector<ApplyStep> Plan(const ApplyRequest& request, const core::TRegList& setting);

 private:
  void CopyReplacement(const FileReplacement& file, const std::string& what);
  void SetPrinter(const std::string& printer);
  void ApplyDialUp(const core::TRegList& setting);
  void WritePrevious(const ApplyRequest& request);
  void FlushRegistry(const ApplyRequest& request);

  ApplyServices services_;
  system::AppShell& shell_;
};

// Runs `steps` in order. When one raises an error, raises ApplyError with
// the error's message followed by the labels of that step (marked as cut
// short) and of every step after it.
void RunApplySteps(const std::vector<ApplyStep>& steps);

}  // namespace zuba::switching

#endif  // ZUBA_SWITCH_APPLYFLOW_H_
