#include "actions/FileCopyBtn.h"

#include "actions/ComponentRef.h"

namespace zuba::actions {

TFileCopyBtn::TFileCopyBtn(platform::Files& files, platform::System& system)
    : files_(files), lead_(system) {
  SetCaption(noFileCaption_);
}

void TFileCopyBtn::SetOpenDialog(toolkit::OpenDialog* dialog) {
  AssignRef(*this, openDialog_, dialog);
}

void TFileCopyBtn::Notification(toolkit::Component& component, toolkit::Operation operation) {
  toolkit::Button::Notification(component, operation);
  if (operation == toolkit::Operation::kRemove) ForgetRef(openDialog_, component);
}

std::string TFileCopyBtn::FileNamePart(const std::string& path) const {
  std::size_t start = 0;
  for (std::size_t at = 0; at < path.size(); at += system::CharLength(path, at, lead_)) {
    if (path[at] == '\\' || path[at] == ':') start = at + 1;
  }
  return path.substr(start);
}

void TFileCopyBtn::SetCopySrc(const std::string& path) {
  const std::uint32_t attributes =
      path.empty() ? platform::kInvalidAttributes : files_.GetAttributes(path);
  if (attributes != platform::kInvalidAttributes && !(attributes & platform::kAttrDirectory)) {
    copySrc_ = path;
    SetCaption(FileNamePart(path));
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

}  // namespace zuba::actions
