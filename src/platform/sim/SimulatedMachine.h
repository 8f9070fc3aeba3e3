// The simulated Windows 9x machine: a directory that holds the registry
// (system.reg, user.reg), the drives (drive_c/, ...), machine.ini and
// events.log, and the platform services that work on it.
#ifndef ZUBA_PLATFORM_SIM_SIMULATEDMACHINE_H_
#define ZUBA_PLATFORM_SIM_SIMULATEDMACHINE_H_

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/Files.h"
#include "platform/Profiles.h"
#include "platform/Registry.h"
#include "platform/Services.h"
#include "platform/System.h"
#include "platform/sim/EventLog.h"
#include "platform/sim/MachineConfig.h"
#include "platform/sim/SimRegistry.h"

namespace zuba::platform::sim {

class SimSystem;

// A machine that cannot be opened or whose files cannot be parsed; the
// message names the file (and line).
class MachineError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The services of one open machine. They share the directory and may be used
// together with other processes that have the same machine open. The event
// log and machine.ini come first: the services use them and go before them.
struct Machine {
  std::string directory;
  std::unique_ptr<EventLog> events;
  std::unique_ptr<MachineConfig> config;
  // The hives themselves; `registry` refuses the writes machine.ini's [Fail]
  // names (RegistryFaults.h) and forwards everything else to them.
  std::unique_ptr<Registry> hives;
  std::unique_ptr<Registry> registry;
  std::unique_ptr<Files> files;
  std::unique_ptr<Profiles> profiles;
  std::unique_ptr<System> system;
  // `system` as the simulated machine's own, for what only it offers.
  SimSystem* simSystem = nullptr;

  // The four services as the program takes them.
  platform::Services Services() const { return {*registry, *files, *profiles, *system}; }
};

// Opens the machine kept in `directory` (a relative path is taken against
// the current directory once, here: Machine::directory is absolute), its
// registry writing as `writes` says (SimRegistry.h). Throws MachineError
// when the directory is missing or is not a machine, or when a registry file
// cannot be parsed (the file is then left untouched).
std::unique_ptr<Machine> OpenSimulatedMachine(const std::string& directory,
                                              RegistryWrites writes = RegistryWrites::kThrough);

enum class OsKind { kWin95, kWin98, kNt };
enum class IfMachineExists { kFail, kReplace };

// Writes a complete machine from a template into `directory` (created when
// missing): a Japanese Windows 98 (4.10.2222), a Windows 95 (4.0.950) or a
// Windows NT machine. Throws MachineError when the directory already holds a
// machine and `ifExists` is kFail, or when it cannot be written. kReplace
// first removes the machine's own files (machine.ini, the hives with a
// change of them that was left unfinished, the event log, the desktop's
// windows, the drives) and nothing else. machine.ini is written last, so a
// machine whose creation broke off is not taken for one.
void CreateMachine(const std::string& directory, OsKind os, IfMachineExists ifExists);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_SIMULATEDMACHINE_H_
