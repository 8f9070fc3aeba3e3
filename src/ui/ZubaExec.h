// The launch group's binding: the application a setting starts when it is
// applied, its file name and its options, bound to two edits of the main
// window. The start itself is actions::LaunchApplication.
#ifndef ZUBA_UI_ZUBAEXEC_H_
#define ZUBA_UI_ZUBAEXEC_H_

#include <string>

#include "actions/AppLauncher.h"
#include "platform/Files.h"
#include "platform/System.h"
#include "system/AppShell.h"
#include "toolkit/Component.h"
#include "toolkit/Edit.h"

namespace zuba::ui {

using actions::LaunchWait;
using actions::StripQuotes;

class TZubaExec : public toolkit::Component {
 public:
  // The services must outlive the component.
  TZubaExec(platform::System& system, platform::Files& files, system::AppShell& shell);

  // The edits bound (nullptr: none); not owned. An edit that goes is
  // unbound.
  toolkit::Edit* ExecFileEdit() const { return fileEdit_; }
  void SetExecFileEdit(toolkit::Edit* edit);
  toolkit::Edit* ExecOptEdit() const { return optEdit_; }
  void SetExecOptEdit(toolkit::Edit* edit);

  // The file name: with a file edit bound, first its text without
  // surrounding quotes becomes the stored name. Setting it stores the text
  // and puts it, unchanged, into the bound edit.
  std::string FileName();
  void SetFileName(const std::string& fileName);
  // The options: with an options edit bound, first its text becomes the
  // stored options. Setting them stores the text and puts it into the edit.
  std::string Options();
  void SetOptions(const std::string& options);

  // The command line from the stored values (the edits are not read): the
  // file name as it stands, then a blank and the options when there are
  // any. False when no file of that name exists (a directory does not
  // count); `*commandLine` then holds the bare file name. On success
  // `*directory` is the file name's drive and directory part with its
  // trailing "\" (empty for a bare name).
  bool BuildCommandLine(std::string* commandLine, std::string* directory);

  // Starts the application from the stored values (LaunchApplication). A
  // file that does not exist gives the message "<name>\nこのファイルを
  // 実行できません"; an empty file name does nothing; a start that fails is
  // not reported.
  void Launch(LaunchWait wait);

  // Empties the stored values and both edits.
  void ClearControls();

 protected:
  void Notification(toolkit::Component& component, toolkit::Operation operation) override;

 private:
  platform::System& system_;
  platform::Files& files_;
  system::AppShell& shell_;
  toolkit::Edit* fileEdit_ = nullptr;
  toolkit::Edit* optEdit_ = nullptr;
  std::string fileName_;
  std::string options_;
};

}  // namespace zuba::ui

#endif  // ZUBA_UI_ZUBAEXEC_H_
