// The windows of zubanet-windows: the Qt front-end, in this process.
#include "app/zubanet/Windowed.h"
#include "frontend/qt/QtFrontEnd.h"

namespace zuba::app {

std::optional<int> HandOverWindows(char**, std::ostream&) { return std::nullopt; }

int RunWindowed(const std::string& programName, platform::Files& files, std::ostream& err,
                const std::function<int(toolkit::FrontEnd&)>& program) {
  return qt::RunQtFrontEnd(programName, files, err, program);
}

}  // namespace zuba::app
