#include "frontend/headless/HeadlessFrontEnd.h"

namespace zuba::headless {

HeadlessFrontEnd::HeadlessFrontEnd(const FrontEndOptions& options, platform::Files& files,
                                   std::ostream& out, std::ostream& err)
    : script_(options.answers, options.actions, out, err), ui_(err, files, script_) {}

}  // namespace zuba::headless
