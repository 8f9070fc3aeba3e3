// The drop-down list of installed printers that switches the default
// printer. Windows 9x keeps both in win.ini of the Windows directory:
//
//   [devices]   one entry per printer: name=driver and port text
//   [windows]   device=name,driver and port text  (the default printer)
//
// and also records the default's name as "Default" of
// HKLM \Config\0001\System\CurrentControlSet\Control\Print\Printers.
// The entries of the list are printer names; the selected one (none: -1)
// is the chosen printer.
#ifndef ZUBA_ACTIONS_PRCOMBOBOX_H_
#define ZUBA_ACTIONS_PRCOMBOBOX_H_

#include <string>

#include "platform/Files.h"
#include "platform/Profiles.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "network/DefaultPrinterSource.h"
#include "ui/toolkit/ComboBox.h"

namespace zuba::actions {

inline constexpr char kPrintersKey[] =
    "\\Config\\0001\\System\\CurrentControlSet\\Control\\Print\\Printers";

class TPrComboBox : public toolkit::ComboBox, public network::DefaultPrinterSource {
 public:
  // A drop-down list (no typing). The services must outlive the control.
  TPrComboBox(platform::Profiles& profiles, platform::Registry& registry, platform::Files& files,
              platform::System& system);

  // Replaces the entries with every printer of [devices] whose text is not
  // empty, in the section's order; none is selected.
  void FillPrinters();

  // Selects nothing.
  void ClearPrinterChoice();

  // Makes the selected printer the default: writes "Default" into the
  // printers key (only when the key exists), writes [windows] device as
  // the name, "," and the printer's [devices] text exactly, and sends the
  // win.ini change notice for the section "windows". False, and nothing
  // written or sent, when no entry is selected or the printer is no longer
  // listed in [devices] with a text. False as well, with no notice sent,
  // when win.ini refuses the write: "Default" then gets back what it held
  // (or goes again when it was missing), so the registry and win.ini never
  // name different default printers.
  bool ApplyDefaultPrinter();

  // The part of [windows] device before its first comma; the whole entry
  // when it has no comma; empty when the entry is missing.
  std::string GetDefaultPrinter() override;

 private:
  std::string WinIni() const;

  platform::Profiles& profiles_;
  platform::Registry& registry_;
  platform::Files& files_;
  platform::System& system_;
};

}  // namespace zuba::actions

#endif  // ZUBA_ACTIONS_PRCOMBOBOX_H_
