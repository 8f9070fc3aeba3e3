// zubanet-machine boot
//
// Starts the machine again, as switching it on (or Windows restarting)
// would:
// 1. performs the pending power action: it is written to events.log and
//    cleared from machine.ini ("power on" when none was pending);
// 2. closes every window the machine had open (its desktop.log);
// 3. the real-mode start: after anything but a restart of Windows alone,
//    the machine runs AUTOEXEC.BAT here, with the boot menu of the boot-time
//    switch maker. That runner (batch files, the menu answered by --choose
//    LETTER, the registry scripts it imports) is not part of the machine
//    yet: AUTOEXEC.BAT is not run, and the step says so on the terminal;
// 4. starts the entries of the key RunOnce (HKEY_LOCAL_MACHINE, below
//    Software\Microsoft\Windows\CurrentVersion) in their order through the
//    machine's process creation, each removed before it starts and waited
//    for, as Windows 9x does. Values that hold no string are removed
//    without being started. An entry whose program cannot be started is
//    gone all the same: the output and events.log say so.
// Prints what it did, one line per step, in UTF-8.
#include <string>

#include "app/Terminal.h"
#include "app/machine/Commands.h"
#include "platform/System.h"
#include "platform/sim/Desktop.h"
#include "platform/sim/PowerState.h"
#include "system/Errors.h"
#include "system/MyRegs.h"

namespace zuba::app {
namespace {

namespace sim = platform::sim;

constexpr char kRunOnce[] = "\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr std::uint32_t kNormalPriorityClass = 0x20;
constexpr int kShowNormal = 5;
constexpr std::uint32_t kInfinite = 0xFFFFFFFF;

// Starts each RunOnce entry and waits for it. False when one could not be
// removed (it would run again at every boot).
bool RunOnceEntries(sim::Machine& machine, std::ostream& out, std::ostream& err) {
  system::NameList names;
  if (!system::GetLocalValueNames(*machine.registry, kRunOnce, names)) return true;
  const std::string windows = machine.files->WindowsDirectory();
  for (const std::string& name : names) {
    std::string command;
    bool isString = true;
    try {
      system::ReadRegString(*machine.registry, platform::kHkeyLocalMachine, kRunOnce, name,
                            command);
    } catch (const system::ERegistryException&) {
      isString = false;
    }
    if (!system::DeleteRegValue(*machine.registry, platform::kHkeyLocalMachine, kRunOnce, name)) {
      err << "zubanet-machine: boot: the RunOnce entry ";
      WriteCp932(err, "\"" + name + "\"");
      err << " cannot be removed\n";
      return false;
    }
    if (!isString) continue;
    machine.system->LogEvent("boot: RunOnce \"" + name + "\": " + command);
    platform::ProcessHandle process =
        machine.system->StartProcess(command, windows, kNormalPriorityClass, kShowNormal);
    if (process == 0) {
      // The entry is gone (Windows removes it before it runs): say so.
      const std::string error = std::to_string(machine.system->LastError());
      machine.system->LogEvent("boot: RunOnce \"" + name + "\" not started: error " + error +
                               "; the entry is removed");
      out << "RunOnce ";
      WriteCp932(out, "\"" + name + "\": " + command);
      out << " (not started: error " << error << "; the entry is removed)\n";
      continue;
    }
    machine.system->WaitProcess(process, kInfinite);
    machine.system->CloseProcess(process);
    out << "RunOnce ";
    WriteCp932(out, "\"" + name + "\": " + command);
    out << "\n";
  }
  return true;
}

}  // namespace

int RunBoot(CommandContext& context) {
  if (!context.args.empty()) {
    context.err << "usage: zubanet-machine boot\n";
    return kExitUsage;
  }
  auto machine = OpenMachine(context.location);
  const sim::PowerAction action = sim::PendingPowerAction(*machine->config);
  if (action != sim::PowerAction::kNone &&
      !sim::SetPendingPowerAction(*machine->config, sim::PowerAction::kNone)) {
    context.err << "zubanet-machine: boot: " << machine->config->path() << " cannot be written\n";
    return kExitError;
  }
  const std::string performed =
      action == sim::PowerAction::kNone ? "power on" : sim::PowerActionName(action);
  machine->system->LogEvent("boot: " + performed);
  context.out << "power action: " << performed << "\n";

  if (!sim::CloseAllWindows(machine->directory)) {
    context.err << "zubanet-machine: boot: " << machine->directory
                << "/desktop.log cannot be removed\n";
    return kExitError;
  }
  if (action != sim::PowerAction::kRestartWindows) {
    context.out << "AUTOEXEC.BAT: not run (the machine has no batch runner yet)\n";
  }
  if (!RunOnceEntries(*machine, context.out, context.err)) return kExitError;
  context.out.flush();
  return context.out ? kExitOk : kExitError;
}

}  // namespace zuba::app
