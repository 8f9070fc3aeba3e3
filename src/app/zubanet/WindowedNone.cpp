// The windows of a build without a display front-end: there are none.
#include "app/zubanet/Windowed.h"

namespace zuba::app {

int RunWindowed(const std::string&, platform::Files&, std::ostream& err,
                const std::function<int(toolkit::FrontEnd&)>&) {
  err << "zubanet: this build has no windows (built without Qt); run with --headless\n";
  return 1;
}

}  // namespace zuba::app
