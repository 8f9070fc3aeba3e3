// The host's zubanet program, which the simulated machine runs whenever its
// own program (C:\ZUBANET\ZUBANET.EXE on the template) is started: machine.ini
// [Program] Host names it (docs/sim-machine.md).
#ifndef ZUBA_APP_HOSTPROGRAM_H_
#define ZUBA_APP_HOSTPROGRAM_H_

#include <string>

namespace zuba::app {

// The absolute path of the program `name` beside the running program (the
// programs are built and installed side by side); empty when there is no
// executable file of that name.
std::string FindSiblingProgram(const std::string& name);

// FindSiblingProgram("zubanet").
std::string FindHostZubanet();

// Writes `program` as [Program] Host into the machine.ini of the machine in
// `directory`. False when machine.ini cannot be written.
bool RecordHostZubanet(const std::string& directory, const std::string& program);

}  // namespace zuba::app

#endif  // ZUBA_APP_HOSTPROGRAM_H_
