// The file-open dialog as a component: its settings, and Execute, which
// shows it through the UI services.
#ifndef ZUBA_TOOLKIT_OPENDIALOG_H_
#define ZUBA_TOOLKIT_OPENDIALOG_H_

#include <string>

#include "toolkit/Component.h"
#include "toolkit/UiServices.h"

namespace zuba::toolkit {

class OpenDialog : public Component {
 public:
  OpenDialog() = default;

  const std::string& Title() const { return request_.title; }
  void SetTitle(const std::string& title) { request_.title = title; }
  const std::string& Filter() const { return request_.filter; }
  void SetFilter(const std::string& filter) { request_.filter = filter; }
  int FilterIndex() const { return request_.filterIndex; }
  void SetFilterIndex(int index) { request_.filterIndex = index; }
  const std::string& InitialDir() const { return request_.initialDir; }
  void SetInitialDir(const std::string& dir) { request_.initialDir = dir; }
  // The file name the dialog starts with, and after Execute the one chosen.
  const std::string& FileName() const { return request_.fileName; }
  void SetFileName(const std::string& name) { request_.fileName = name; }
  const std::string& DefaultExt() const { return request_.defaultExt; }
  void SetDefaultExt(const std::string& ext) { request_.defaultExt = ext; }
  unsigned Options() const { return request_.options; }
  void SetOptions(unsigned options) { request_.options = options; }

  const OpenFileRequest& Request() const { return request_; }

  // Shows the dialog. True with FileName the chosen Windows path when the
  // user confirms; false (FileName unchanged) when the user cancels or the
  // dialog belongs to no application.
  bool Execute();

 private:
  OpenFileRequest request_;
};

}  // namespace zuba::toolkit

#endif  // ZUBA_TOOLKIT_OPENDIALOG_H_
