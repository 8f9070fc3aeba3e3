// zubanet.exe [--headless] [--answer A]... [--do ACTION]... [--] [ARGUMENT...]
//
// ZubaNet on the Windows it runs on (Windows 95 or 98; any other gets the
// program's refusal). With --headless it runs as on the simulated machine:
// no window, the user's part played by --answer and --do, message boxes on
// standard error and dumps on standard output, in UTF-8. Without it, the
// program's windows on the Windows API (frontend/win32).
#include <string>
#include <vector>

#include "app/zubanet/Arguments.h"
#include "app/zubanet/Program.h"
#include "app/zubanet/Windowed.h"
#include "app/zubanet/win32/HandleStream.h"
#include "frontend/headless/HeadlessFrontEnd.h"
#include "platform/TextCodec.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace zuba::app {
namespace {

constexpr int kExitUsage = 2;

int Main(int argc, char** argv) {
  HandleStream out(GetStdHandle(STD_OUTPUT_HANDLE));
  HandleStream err(GetStdHandle(STD_ERROR_HANDLE));
  // Windows passes the arguments in the ANSI code page (932): the options
  // are read as the simulated machine's entry reads them, in UTF-8, and the
  // program's own ARGUMENTs go to it as Windows gave them.
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(platform::Cp932ToUtf8(argv[i]));
  Arguments arguments;
  std::string error;
  if (!ParseArguments(args, false, &arguments, &error)) {
    err << "zubanet: " << error << "\n" << UsageText(false);
    return kExitUsage;
  }
  if (arguments.help) {
    out << UsageText(false);
    return 0;
  }
  for (std::string& arg : arguments.commandLine) arg = platform::Utf8ToCp932(arg);
  std::unique_ptr<platform::win32::Services> services = platform::win32::OpenWin32Services();
  const platform::Services machine{*services->registry, *services->files, *services->profiles,
                                   *services->system};
  auto program = [&](toolkit::FrontEnd& frontEnd) {
    return RunZubaNet(frontEnd, machine, arguments.commandLine);
  };
  if (!arguments.options.headless) return RunWindowed(argv[0], machine.files, err, program);
  headless::HeadlessFrontEnd frontEnd(arguments.options, machine.files, out, err);
  return program(frontEnd);
}

}  // namespace
}  // namespace zuba::app

int main(int argc, char** argv) { return zuba::app::Main(argc, argv); }
