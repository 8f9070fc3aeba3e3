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

#include "network/DefaultPrinterSource.h"
#include "platform/Files.h"
#include "platform/Profiles.h"
#include "platform/Registry.h"
#include "platform/System.h"
#include "toolkit/ComboBox.h"

namespace zuba::actions {

inline constexpr char kPrintersKey[] =
    "\\Config\\0001\\System\\CurrentControlSet\\Control\\Print\\Printers";

// What became of a default printer switch.
enum class PrinterSwitch {
  kSwitched,      // the printer is the default now
  kNotInstalled,  // [devices] has no text for it: nothing written or sent
  kNotWritten,    // win.ini refused the write: no notice sent, and "Default"
                  // got back what it held (or went again when it was
                  // missing), so the registry and win.ini never name
                  // different default printers
};

// Makes the printer `name` the default: writes "Default" into the printers
// key (only when the key exists), writes [windows] device as the name, ","
// and the printer's [devices] text exactly, and sends the win.ini change
// notice for the section "windows".
PrinterSwitch SetDefaultPrinter(platform::Profiles& profiles, platform::Registry& registry,
                                platform::Files& files, platform::System& system,
                                const std::string& name);

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

  // Makes the selected printer the default (SetDefaultPrinter). False when
  // no entry is selected, and when the switch did not happen: the printer
  // is no longer listed in [devices] with a text (nothing written or sent),
  // or win.ini refuses the write (no notice sent).
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
