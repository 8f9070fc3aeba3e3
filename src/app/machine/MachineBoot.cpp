// zubanet-machine boot [--choose LETTER] [--answer A]...
//
// Starts the machine again, as switching it on (or Windows restarting)
// would:
// 1. performs the pending power action: it is written to events.log and
//    cleared from machine.ini ("power on" when none was pending);
// 2. closes every window the machine had open (its desktop.log);
// 3. the real-mode start: after anything but a restart of Windows alone,
//    C:\AUTOEXEC.BAT runs in the machine's COMMAND.COM (platform/sim/
//    DosBatch), its screen printed as it comes; a CHOICE prompt (the boot
//    menu) is answered with LETTER, or takes its default after its
//    time-out, which is not waited for; REGEDIT imports into the registry;
// 4. Windows starts: the entries of the key RunOnce (HKEY_LOCAL_MACHINE,
//    below Software\Microsoft\Windows\CurrentVersion) are started in their
//    order through the machine's process creation, each removed before it
//    starts and waited for, as Windows 9x does. Values that hold no string
//    are removed without being started. An entry whose program cannot be
//    started is gone all the same: the output and events.log say so.
// Prints what it did, one line per step, in UTF-8.
#include <string>

#include "app/Terminal.h"
#include "app/machine/Commands.h"
#include "platform/System.h"
#include "platform/sim/Desktop.h"
#include "platform/sim/DosBatch.h"
#include "platform/sim/PowerState.h"
#include "platform/sim/RealModeHost.h"
#include "platform/sim/SimSystem.h"
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
    // The line is out before the program starts: what it writes follows.
    out << "RunOnce ";
    WriteCp932(out, "\"" + name + "\": " + command);
    out << "\n";
    out.flush();
    platform::ProcessHandle process =
        machine.system->StartProcess(command, windows, kNormalPriorityClass, kShowNormal);
    if (process == 0) {
      // The entry is gone (Windows removes it before it runs): say so.
      const std::string error = std::to_string(machine.system->LastError());
      machine.system->LogEvent("boot: RunOnce \"" + name + "\" not started: error " + error +
                               "; the entry is removed");
      out << "  (not started: error " << error << "; the entry is removed)\n";
      continue;
    }
    machine.system->WaitProcess(process, kInfinite);
    machine.system->CloseProcess(process);
  }
  return true;
}

// The real-mode start: C:\AUTOEXEC.BAT with the environment MS-DOS 7 sets
// up before it (IO.SYS), in the root of the boot drive.
void RunAutoexec(sim::Machine& machine, char choiceKey, std::ostream& out) {
  const std::string autoexec = "C:\\AUTOEXEC.BAT";
  const std::string windows = machine.files->WindowsDirectory();
  out << "real-mode start: " << autoexec;
  if (machine.files->GetAttributes(autoexec) == platform::kInvalidAttributes) {
    out << " (none)\n";
    return;
  }
  out << "\n";
  sim::DosBatchOptions options;
  options.choiceKey = choiceKey;
  options.environment = {{"TMP", windows + "\\TEMP"},
                         {"TEMP", windows + "\\TEMP"},
                         {"PROMPT", "$p$g"},
                         {"winbootdir", windows},
                         {"COMSPEC", "C:\\COMMAND.COM"},
                         {"PATH", windows + ";" + windows + "\\COMMAND"}};
  sim::RealModeHost host(*machine.files, *machine.registry, *machine.system);
  const sim::DosBatchResult result = sim::RunDosBatch(host, autoexec, options);
  for (const std::string& line : result.screen) {
    WriteCp932(out, line);
    out << "\n";
  }
  machine.system->LogEvent(std::string("boot: AUTOEXEC.BAT ") +
                           (result.completed ? "ran" : "stopped") + ", errorlevel " +
                           std::to_string(result.errorLevel));
}

int BootUsage(std::ostream& err) {
  err << "usage: zubanet-machine boot [--choose LETTER] [--answer A]...\n";
  return kExitUsage;
}

}  // namespace

int RunBoot(CommandContext& context) {
  char choiceKey = 0;
  std::vector<std::string> answers;
  const std::vector<std::string>& args = context.args;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string value;
    if (args[i] == "--answer" && i + 1 < args.size()) {
      answers.insert(answers.end(), {"--answer", args[++i]});
      continue;
    }
    if (args[i].rfind("--answer=", 0) == 0) {
      answers.insert(answers.end(), {"--answer", args[i].substr(9)});
      continue;
    }
    if (args[i] == "--choose" && i + 1 < args.size()) {
      value = args[++i];
    } else if (args[i].rfind("--choose=", 0) == 0) {
      value = args[i].substr(9);
    } else {
      return BootUsage(context.err);
    }
    // A key of the keyboard: one printable ASCII character.
    if (value.size() != 1 || value[0] <= ' ' || value[0] > '~') return BootUsage(context.err);
    choiceKey = value[0];
  }
  auto machine = OpenMachine(context.location);
  if (machine->simSystem != nullptr) machine->simSystem->SetProgramOptions(answers);
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
  if (action != sim::PowerAction::kRestartWindows) RunAutoexec(*machine, choiceKey, context.out);
  context.out << "Windows starts\n";
  if (!RunOnceEntries(*machine, context.out, context.err)) return kExitError;
  context.out.flush();
  return context.out ? kExitOk : kExitError;
}

}  // namespace zuba::app
