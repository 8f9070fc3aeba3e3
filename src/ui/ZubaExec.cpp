#include "ui/ZubaExec.h"

#include "ui/ComponentRef.h"
#include "system/ZubaUtil.h"

namespace zuba::ui {

TZubaExec::TZubaExec(platform::System& system, platform::Files& files, system::AppShell& shell)
    : system_(system), files_(files), shell_(shell) {}

void TZubaExec::SetExecFileEdit(toolkit::Edit* edit) { AssignRef(*this, fileEdit_, edit); }

void TZubaExec::SetExecOptEdit(toolkit::Edit* edit) { AssignRef(*this, optEdit_, edit); }

void TZubaExec::Notification(toolkit::Component& component, toolkit::Operation operation) {
  Component::Notification(component, operation);
  if (operation != toolkit::Operation::kRemove) return;
  ForgetRef(fileEdit_, component);
  ForgetRef(optEdit_, component);
}

std::string TZubaExec::FileName() {
  if (fileEdit_) fileName_ = StripQuotes(fileEdit_->Text());
  return fileName_;
}

void TZubaExec::SetFileName(const std::string& fileName) {
  fileName_ = fileName;
  if (fileEdit_) fileEdit_->SetText(fileName);
}

std::string TZubaExec::Options() {
  if (optEdit_) options_ = optEdit_->Text();
  return options_;
}

void TZubaExec::SetOptions(const std::string& options) {
  options_ = options;
  if (optEdit_) optEdit_->SetText(options);
}

bool TZubaExec::BuildCommandLine(std::string* commandLine, std::string* directory) {
  return actions::BuildLaunchCommandLine(files_, fileName_, options_, commandLine, directory);
}

void TZubaExec::Launch(LaunchWait wait) {
  if (actions::LaunchApplication(system_, files_, shell_, fileName_, options_, wait) ==
      actions::LaunchOutcome::kNotRunnable) {
    system::ShowInfoBox(shell_, actions::NotRunnableMessage(fileName_));
  }
}

void TZubaExec::ClearControls() {
  fileName_.clear();
  options_.clear();
  if (fileEdit_) fileEdit_->SetText("");
  if (optEdit_) optEdit_->SetText("");
}

}  // namespace zuba::ui
