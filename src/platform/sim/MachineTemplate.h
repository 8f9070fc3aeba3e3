// What a new simulated machine holds, as data: machine.ini, the two registry
// hives as REGEDIT4 text, and the directories and files of its drives. The
// Windows 98 machine is the default; the Windows 95 machine keeps its WINS
// values under VxD\MSTCP and its telephony locations in telephon.ini; the
// Windows NT machine exists to reach the program's refusal of NT and
// otherwise holds the Windows 98 content.
#ifndef ZUBA_PLATFORM_SIM_MACHINETEMPLATE_H_
#define ZUBA_PLATFORM_SIM_MACHINETEMPLATE_H_

#include <string>
#include <vector>

#include "platform/sim/SimulatedMachine.h"

namespace zuba::platform::sim {

struct TemplateFile {
  std::string path;  // Windows path
  std::string content;
};

struct MachineTemplate {
  std::string machineIni;
  std::string systemReg;                 // HKEY_LOCAL_MACHINE, REGEDIT4 (CP932, CR LF)
  std::string userReg;                   // HKEY_CURRENT_USER, REGEDIT4
  std::vector<std::string> directories;  // Windows paths, each after its parent
  std::vector<TemplateFile> files;
};

MachineTemplate MachineTemplateFor(OsKind os);

// The parts, one module each.
std::string TemplateMachineIni(OsKind os);
std::string TemplateSystemReg(OsKind os);
std::string TemplateUserReg(OsKind os);
void AddTemplateDrives(OsKind os, MachineTemplate* machine);

// The Windows directory of each template: C:\WINDOWS, or C:\WINNT for NT.
std::string TemplateWindowsDirectory(OsKind os);

// `text` with every LF turned into CR LF (templates are written with LF).
std::string WithCrLf(const std::string& text);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_MACHINETEMPLATE_H_
