// A push button that carries a replacement for a file: the user chooses the
// source with the button's open dialog, the button shows the chosen file's
// name as its caption, and CopyFileNow copies it over a fixed destination
// when a Setting is applied. The main window has one for hosts (replacing
// an existing file) and one for lmhosts (never replacing one).
#ifndef ZUBA_UI_FILECOPYBTN_H_
#define ZUBA_UI_FILECOPYBTN_H_

#include <string>

#include "platform/Files.h"
#include "toolkit/Button.h"
#include "toolkit/OpenDialog.h"

namespace zuba::ui {

inline constexpr char kNoFileCaption[] = "(NoFile)";

class TFileCopyBtn : public toolkit::Button {
 public:
  // Starts with NoFileCaption "(NoFile)" as its caption. `files` finds and
  // copies the files and must outlive the button.
  explicit TFileCopyBtn(platform::Files& files);

  // The dialog a click shows; none by default. A dialog that goes is
  // dropped.
  toolkit::OpenDialog* OpenDialog() const { return openDialog_; }
  void SetOpenDialog(toolkit::OpenDialog* dialog);

  // The full path of the chosen source; empty when none is chosen.
  const std::string& CopySrc() const { return copySrc_; }
  // When a file (not a directory) of that path exists: CopySrc := the path
  // and the caption := its file name without directories. Otherwise
  // CopySrc := empty and the caption := NoFileCaption.
  void SetCopySrc(const std::string& path);

  // The full path of the destination.
  const std::string& CopyDst() const { return copyDst_; }
  void SetCopyDst(const std::string& path) { copyDst_ = path; }

  // The caption while no source is chosen; a new one shows only at the next
  // assignment of CopySrc.
  const std::string& NoFileCaption() const { return noFileCaption_; }
  void SetNoFileCaption(const std::string& caption) { noFileCaption_ = caption; }

  // Whether the copy replaces an existing destination; false: the copy
  // happens only while the destination does not exist.
  bool CopyOverWrite() const { return copyOverWrite_; }
  void SetCopyOverWrite(bool overwrite) { copyOverWrite_ = overwrite; }

  // Copies CopySrc to CopyDst (failing when the destination exists and
  // CopyOverWrite is false). True when the copy was made; false without a
  // source, when the source has vanished, or when the platform refuses.
  bool CopyFileNow();

 protected:
  // The click: OnClick first; then, with a dialog assigned, the dialog:
  // confirmed, CopySrc := the chosen file; cancelled, CopySrc := empty.
  void UserClick() override;
  void Notification(toolkit::Component& component, toolkit::Operation operation) override;

 private:
  platform::Files& files_;
  toolkit::OpenDialog* openDialog_ = nullptr;
  std::string copySrc_;
  std::string copyDst_;
  std::string noFileCaption_ = kNoFileCaption;
  bool copyOverWrite_ = false;
};

}  // namespace zuba::ui

#endif  // ZUBA_UI_FILECOPYBTN_H_
