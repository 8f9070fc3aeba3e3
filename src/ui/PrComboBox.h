// The drop-down list of installed printers that switches the default
// printer (actions::Printers, which it also is). The entries of the list
// are printer names; the selected one (none: -1) is the chosen printer.
#ifndef ZUBA_UI_PRCOMBOBOX_H_
#define ZUBA_UI_PRCOMBOBOX_H_

#include <string>

#include "actions/Printers.h"
#include "toolkit/ComboBox.h"

namespace zuba::ui {

class TPrComboBox : public toolkit::ComboBox, public actions::Printers {
 public:
  // A drop-down list (no typing). The services must outlive the control.
  TPrComboBox(platform::Profiles& profiles, platform::Registry& registry, platform::Files& files,
              platform::System& system);

  // Replaces the entries with InstalledPrinters; none is selected.
  void FillPrinters();

  // Selects nothing.
  void ClearPrinterChoice();

  // Makes the selected printer the default (SetDefaultPrinter). False when
  // no entry is selected, and when the switch did not happen: the printer
  // is no longer listed in [devices] with a text (nothing written or sent),
  // or win.ini refuses the write (no notice sent).
  bool ApplyDefaultPrinter();
};

}  // namespace zuba::ui

#endif  // ZUBA_UI_PRCOMBOBOX_H_
