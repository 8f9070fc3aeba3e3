// The program's windows on this build's display front-end. A build without
// one (cmake -DZUBA_QT=OFF) says so and runs nothing; --headless needs none.
#ifndef ZUBA_APP_ZUBANET_WINDOWED_H_
#define ZUBA_APP_ZUBANET_WINDOWED_H_

#include <functional>
#include <ostream>
#include <string>

#include "platform/Files.h"
#include "toolkit/FrontEnd.h"

namespace zuba::app {

// Runs `program` in windows and answers its exit code; 1, with the reason
// written to `err`, when no window can be shown. `files` is the machine the
// file dialogs browse and the help is read from; `programName` is argv[0].
int RunWindowed(const std::string& programName, platform::Files& files, std::ostream& err,
                const std::function<int(toolkit::FrontEnd&)>& program);

}  // namespace zuba::app

#endif  // ZUBA_APP_ZUBANET_WINDOWED_H_
