// The dialogs of taking settings to another machine and of the desktop
// shortcuts: a list to choose from (several settings, or one adapter), with
// a file name for an export or the choice of starting without the restart
// question for a shortcut; and the replace question of an import, which
// adds "すべてはい" (yes to all) to Yes, No and Cancel.
#ifndef ZUBA_UI_TRANSFERDIALOGS_H_
#define ZUBA_UI_TRANSFERDIALOGS_H_

#include <string>
#include <vector>

#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"

namespace zuba::ui {

class TChoiceDlg : public toolkit::Form {
 public:
  explicit TChoiceDlg(toolkit::Application& app);

  // What the dialog asks for: the extra field it shows under the list.
  enum class Kind {
    kSettings,   // several settings, nothing more
    kExport,     // several settings and the file to write
    kShortcut,   // several settings and CbNoQuestion
    kAdapter,    // one adapter
  };
  // Fills the list with `items` (none chosen) and lays the dialog out for
  // `kind` under `caption`, the prompt above the list.
  void Prepare(Kind kind, const std::string& caption, const std::string& prompt,
               const std::vector<std::string>& items);
  // The entries chosen, in list order.
  std::vector<std::string> Chosen() const;

  toolkit::Label& LaPrompt;
  toolkit::ListBox& LbChoices;
  toolkit::Label& LaFile;
  toolkit::Edit& EdFile;
  toolkit::CheckBox& CbNoQuestion;
  toolkit::Button& BtOk;
  toolkit::Button& BtCancel;
};

class TReplaceDlg : public toolkit::Form {
 public:
  explicit TReplaceDlg(toolkit::Application& app);

  enum class Answer { kYes, kNo, kYesToAll, kCancel };
  // Asks whether the setting `name` is to be replaced.
  Answer Ask(const std::string& name);

  toolkit::Label& LaQuestion;
  toolkit::Button& BtYes;
  toolkit::Button& BtNo;
  toolkit::Button& BtYesAll;
  toolkit::Button& BtCancel;

 private:
  bool all_ = false;
};

}  // namespace zuba::ui

#endif  // ZUBA_UI_TRANSFERDIALOGS_H_
