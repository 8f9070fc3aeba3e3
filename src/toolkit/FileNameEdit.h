// An edit for a file name with a browse button beside it. Browsing shows
// the file-open dialog; the chosen path replaces the text, in double quotes
// when it holds a blank.
#ifndef ZUBA_TOOLKIT_FILENAMEEDIT_H_
#define ZUBA_TOOLKIT_FILENAMEEDIT_H_

#include <string>

#include "toolkit/Edit.h"
#include "toolkit/UiServices.h"

namespace zuba::toolkit {

class FileNameEdit : public Edit {
 public:
  FileNameEdit() = default;

  ControlKind Kind() const override { return ControlKind::kFileNameEdit; }

  const std::string& Filter() const { return request_.filter; }
  void SetFilter(const std::string& filter) { request_.filter = filter; }
  const std::string& DialogTitle() const { return request_.title; }
  void SetDialogTitle(const std::string& title) { request_.title = title; }
  const std::string& InitialDir() const { return request_.initialDir; }
  void SetInitialDir(const std::string& dir) { request_.initialDir = dir; }
  const std::string& DefaultExt() const { return request_.defaultExt; }
  void SetDefaultExt(const std::string& ext) { request_.defaultExt = ext; }
  unsigned DialogOptions() const { return request_.options; }
  void SetDialogOptions(unsigned options) { request_.options = options; }

  // The user presses the browse button: the dialog starts in the directory
  // of the current text (else InitialDir) with its file name. Confirmed, the
  // text becomes the chosen path (OnChange). False when the edit cannot be
  // reached or belongs to no application.
  bool Browse();

  // The request Browse would show for the current text.
  OpenFileRequest BrowseRequest() const;

 private:
  OpenFileRequest request_;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_FILENAMEEDIT_H_
