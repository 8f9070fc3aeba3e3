// The windows of the Windows build: the front-end on the Windows API.
#include "app/zubanet/Windowed.h"
#include "frontend/win32/WinFrontEnd.h"

namespace zuba::app {

int RunWindowed(const std::string&, platform::Files& files, std::ostream& err,
                const std::function<int(toolkit::FrontEnd&)>& program) {
  return winui::RunWinFrontEnd(files, err, program);
}

}  // namespace zuba::app
