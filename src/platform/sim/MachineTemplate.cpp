#include "platform/sim/MachineTemplate.h"

namespace zuba::platform::sim {

std::string WithCrLf(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string TemplateWindowsDirectory(OsKind os) {
  return os == OsKind::kNt ? "C:\\WINNT" : "C:\\WINDOWS";
}

std::string TemplateMachineIni(OsKind os) {
  struct Version {
    const char* platformId;
    const char* major;
    const char* minor;
    const char* build;
    const char* csd;
  };
  const Version v = os == OsKind::kWin95 ? Version{"1", "4", "0", "950", "\"\""}
                    : os == OsKind::kNt  ? Version{"2", "4", "0", "1381", "\"Service Pack 6\""}
                                         : Version{"1", "4", "10", "2222", "\" A \""};
  std::string ini =
      "; A simulated Windows machine for ZubaNet; docs/sim-machine.md describes it.\n";
  ini += "[Version]\n";
  ini += std::string("PlatformId=") + v.platformId + "\n";
  ini += std::string("Major=") + v.major + "\n";
  ini += std::string("Minor=") + v.minor + "\n";
  ini += std::string("Build=") + v.build + "\n";
  ini += std::string("CSDVersion=") + v.csd + "\n";
  ini += "\n[Program]\nPath=C:\\ZUBANET\\ZUBANET.EXE\n";
  ini += "\n[Windows]\nDirectory=" + TemplateWindowsDirectory(os) + "\n";
  ini += R"(
[Keyboard]
; The keys held down, read at every query: Ctrl, Alt, Shift, Return or a
; virtual-key number, separated by commas (Down=Ctrl,Alt).
Down=

[Fail]
; Platform calls made to fail: NAME=CODE fails every call NAME with the last
; error CODE; NAME:PATH=CODE only for that Windows path and below it
; (CopyFile=5, WriteFile:C:\ZUBANET=5).
)";
  return WithCrLf(ini);
}

MachineTemplate MachineTemplateFor(OsKind os) {
  MachineTemplate machine;
  machine.machineIni = TemplateMachineIni(os);
  machine.systemReg = TemplateSystemReg(os);
  machine.userReg = TemplateUserReg(os);
  AddTemplateDrives(os, &machine);
  return machine;
}

}  // namespace zuba::platform::sim
