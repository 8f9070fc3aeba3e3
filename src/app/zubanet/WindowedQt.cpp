// The windows of the Linux build: the Qt front-end.
#include "app/zubanet/Windowed.h"
#include "frontend/qt/QtFrontEnd.h"

namespace zuba::app {

int RunWindowed(const std::string& programName, platform::Files& files, std::ostream& err,
                const std::function<int(toolkit::FrontEnd&)>& program) {
  return qt::RunQtFrontEnd(programName, files, err, program);
}

}  // namespace zuba::app
