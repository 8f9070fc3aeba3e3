// The windows of zubanet: shown by zubanet-windows beside it, which this
// process becomes (exec), so no window library is ever loaded here.
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "app/HostProgram.h"
#include "app/zubanet/Windowed.h"

namespace zuba::app {
namespace {

constexpr char kNoWindows[] =
    "zubanet: this build has no windows (built without Qt); run with --headless\n";

}  // namespace

std::optional<int> HandOverWindows(char** argv, std::ostream& err) {
  const std::string program = FindSiblingProgram(kWindowsProgram);
  if (program.empty()) {
    err << kNoWindows;
    return 1;
  }
  err.flush();
  execv(program.c_str(), argv);
  err << "zubanet: cannot start " << program << ": " << std::strerror(errno) << "\n";
  return 1;
}

// Never reached after HandOverWindows, which answers for every run.
int RunWindowed(const std::string&, platform::Files&, std::ostream& err,
                const std::function<int(toolkit::FrontEnd&)>&) {
  err << kNoWindows;
  return 1;
}

}  // namespace zuba::app
