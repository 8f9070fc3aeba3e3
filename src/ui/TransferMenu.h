// The option menu's entries that take settings to another machine (export
// and import) and the command-line switches that do the same for scripts:
//
//   /export FILE NAME...   writes the settings NAME... to FILE (replaced
//                          without a question), then the program ends
//   /import FILE           imports FILE with the questions of the menu
//                          entry, then the program ends
//
// An import asks before a setting of the same name is replaced (Yes, No,
// Yes to all, Cancel), binds a setting whose adapter this machine lacks to
// the adapter of the same description or to one the user chooses, and
// writes nothing before the user confirms the whole import; the import is
// then one change of the settings file, all of it or none.
#ifndef ZUBA_UI_TRANSFERMENU_H_
#define ZUBA_UI_TRANSFERMENU_H_

#include <string>
#include <vector>

#include "core/SettingsTransfer.h"
#include "toolkit/Component.h"
#include "toolkit/PopupMenu.h"

namespace zuba::ui {

class TForm1;
class TChoiceDlg;
class TReplaceDlg;

class TTransferMenu : public toolkit::Component {
 public:
  // Adds its entries at the end of the form's option menu.
  explicit TTransferMenu(TForm1& form);

  toolkit::MenuItem& N7;
  toolkit::MenuItem& pmExport;
  toolkit::MenuItem& pmImport;
  TChoiceDlg& ChoiceDlg;
  TReplaceDlg& ReplaceDlg;

  void pmExportClick(toolkit::Component& sender);
  void pmImportClick(toolkit::Component& sender);

  // Writes the settings `names` to `path`; raises system::Exception when a
  // name has no setting or the file cannot be written.
  void Export(const std::string& path, const std::vector<std::string>& names);
  // The import of `path` with its questions (see above).
  void Import(const std::string& path);

  // The adapters of this machine, as the form lists them.
  std::vector<core::AdapterInfo> Adapters() const;

 private:
  TForm1& form_;
};

// Builds the entries on `form` (its constructor calls this).
void AddTransferMenu(TForm1& form);

// Whether the command line is /export or /import; RunTransferCommand then
// does it on `form` at its first show.
bool IsTransferCommand(const std::vector<std::string>& parameters);
void RunTransferCommand(TForm1& form, const std::vector<std::string>& parameters);

}  // namespace zuba::ui

#endif  // ZUBA_UI_TRANSFERMENU_H_
