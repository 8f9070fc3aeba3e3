#include "actions/ZubaExec.h"

#include "actions/ComponentRef.h"
#include "actions/ExecUtil.h"
#include "core/AnsiText.h"
#include "system/ZubaUtil.h"

namespace zuba::actions {

std::string StripQuotes(const std::string& text) {
  std::string result = text;
  if (!result.empty() && result.front() == '"') result.erase(0, 1);
  if (!result.empty() && result.back() == '"') result.pop_back();
  return result;
}

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
  *commandLine = fileName_;
  const std::uint32_t attributes = files_.GetAttributes(fileName_);
  if (fileName_.empty() || attributes == platform::kInvalidAttributes ||
      (attributes & platform::kAttrDirectory)) {
    return false;
  }
  *directory = core::ExtractDirectory(fileName_);
  if (!options_.empty()) *commandLine += " " + options_;
  return true;
}

void TZubaExec::Launch(LaunchWait wait) {
  std::string commandLine, directory;
  if (BuildCommandLine(&commandLine, &directory)) {
    platform::ProcessHandle process =
        ExecCommand(system_, files_, commandLine, directory, kShowNormal);
    if (process == 0) return;
    if (wait == LaunchWait::kUntilEnded) WaitForProcess(system_, shell_, process);
    CloseProcessHandle(system_, process);
  } else if (!fileName_.empty()) {
    system::ShowInfoBox(shell_, fileName_ + "\n" + "このファイルを実行できません");
  }
}

void TZubaExec::ClearControls() {
  fileName_.clear();
  options_.clear();
  if (fileEdit_) fileEdit_->SetText("");
  if (optEdit_) optEdit_->SetText("");
}

}  // namespace zuba::actions
