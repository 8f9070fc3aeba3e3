// The file-open dialog on the simulated machine's drives: a drive list, the
// current directory with its subdirectories and the files of the chosen
// type, the file name box and the file types. It answers a Windows path.
// With kOfNoLongNames it shows and answers 8.3 names only.
// Parts carry object names for tests: "Drives", "Location", "Entries",
// "FileName", "FileTypes", "Open", "Cancel".
#ifndef ZUBA_FRONTEND_QT_SIMFILEDIALOG_H_
#define ZUBA_FRONTEND_QT_SIMFILEDIALOG_H_

#include <QDialog>
#include <string>
#include <utility>
#include <vector>

#include "frontend/qt/FileBrowser.h"
#include "platform/Files.h"
#include "toolkit/UiServices.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;

namespace zuba::qt {

class SimFileDialog : public QDialog {
 public:
  // Starts in the request's initial directory (else the machine's current
  // one) with its file name; a file name with a directory part starts
  // there, one with wildcards lists by it.
  SimFileDialog(platform::Files& files, const toolkit::OpenFileRequest& request, QWidget* parent);

  // The Windows path chosen, once the dialog was accepted.
  const std::string& Chosen() const { return chosen_; }
  // The directory listed now.
  const std::string& Directory() const { return directory_; }

 private:
  void Refresh();
  void OpenTyped();
  void Activated(QListWidgetItem* item);
  void Complain(const std::string& text);

  FileBrowser browser_;
  toolkit::OpenFileRequest request_;
  std::vector<std::pair<std::string, std::string>> types_;
  NameKind names_;
  std::string directory_;
  std::string pattern_;
  std::string chosen_;
  QComboBox* drives_;
  QLabel* location_;
  QListWidget* entries_;
  QLineEdit* name_;
  QComboBox* typeBox_;
};

}  // namespace zuba::qt

#endif  // ZUBA_FRONTEND_QT_SIMFILEDIALOG_H_
