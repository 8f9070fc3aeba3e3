// The installed printers and the default one. Windows 9x keeps both in
// win.ini of the Windows directory:
//
//   [devices]   one entry per printer: name=driver and port text
//   [windows]   device=name,driver and port text  (the default printer)
//
// and also records the default's name as "Default" of
// HKLM \Config\0001\System\CurrentControlSet\Control\Print\Printers.
#ifndef ZUBA_ACTIONS_PRINTERS_H_
#define ZUBA_ACTIONS_PRINTERS_H_

#include <string>
#include <vector>

#include "network/DefaultPrinterSource.h"
#include "platform/Files.h"
#include "platform/Profiles.h"
#include "platform/Registry.h"
#include "platform/System.h"

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

class Printers : public network::DefaultPrinterSource {
 public:
  // The services must outlive the object.
  Printers(platform::Profiles& profiles, platform::Registry& registry, platform::Files& files,
           platform::System& system)
      : profiles_(profiles), registry_(registry), files_(files), system_(system) {}

  // Every printer of [devices] whose text is not empty, in the section's
  // order.
  std::vector<std::string> InstalledPrinters();

  // The part of [windows] device before its first comma; the whole entry
  // when it has no comma; empty when the entry is missing.
  std::string GetDefaultPrinter() override;

  // SetDefaultPrinter on these services.
  PrinterSwitch SwitchTo(const std::string& name);

 private:
  std::string WinIni() const;

  platform::Profiles& profiles_;
  platform::Registry& registry_;
  platform::Files& files_;
  platform::System& system_;
};

}  // namespace zuba::actions

#endif  // ZUBA_ACTIONS_PRINTERS_H_
