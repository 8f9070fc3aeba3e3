#include "ui/FileCopyBtn.h"

#include "ui/ComponentRef.h"
#include "core/AnsiText.h"

namespace zuba::ui {

TFileCopyBtn::TFileCopyBtn(platform::Files& files) : files_(files) { SetCaption(noFileCaption_); }

void TFileCopyBtn::SetOpenDialog(toolkit::OpenDialog* dialog) {
  AssignRef(*this, openDialog_, dialog);
}

void TFileCopyBtn::Notification(toolkit::Component& component, toolkit::Operation operation) {
  toolkit::Button::Notification(component, operation);
  if (operation == toolkit::Operation::kRemove) ForgetRef(openDialog_, component);
}

void TFileCopyBtn::SetCopySrc(const std::string& path) {
  const std::uint32_t attributes =
      path.empty() ? platform::kInvalidAttributes : files_.GetAttributes(path);
  if (attributes != platform::kInvalidAttributes && !(attributes & platform::kAttrDirectory)) {
    copySrc_ = path;
    SetCaption(core::ExtractFileName(path));
  } else {
    copySrc_.clear();
    SetCaption(noFileCaption_);
  }
}

void TFileCopyBtn::UserClick() {
  toolkit::Button::UserClick();
  if (openDialog_ == nullptr) return;
  SetCopySrc(openDialog_->Execute() ? openDialog_->FileName() : std::string());
}

bool TFileCopyBtn::CopyFileNow() {
  if (copySrc_.empty()) return false;
  return files_.CopyTo(
      copySrc_, copyDst_,
      copyOverWrite_ ? platform::IfTargetExists::kReplace : platform::IfTargetExists::kFail);
}

}  // namespace zuba::ui
