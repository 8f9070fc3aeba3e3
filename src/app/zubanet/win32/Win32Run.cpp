#include "app/zubanet/win32/Win32Run.h"

#include <memory>
#include <string>
#include <vector>

#include "app/zubanet/Arguments.h"
#include "app/zubanet/Program.h"
#include "app/zubanet/Setup.h"
#include "app/zubanet/Windowed.h"
#include "app/zubanet/win32/HandleStream.h"
#include "frontend/headless/HeadlessFrontEnd.h"
#include "platform/TextCodec.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace zuba::app {
namespace {

constexpr int kExitUsage = 2;
constexpr char kWindowedName[] = "ZUBANET.EXE";

// The files of the machine as the console companion sees them: its own
// path is that of ZUBANET.EXE beside it (as the directory spells it, where
// the file is there), so both programs share one settings file.
class CompanionFiles : public platform::FilesWrapper {
 public:
  using FilesWrapper::FilesWrapper;
  std::string ProgramPath() override {
    std::string own = target().ProgramPath();
    std::string directory = own.substr(0, own.find_last_of('\\') + 1);
    std::vector<platform::FindData> found;
    if (target().FindFiles(directory + kWindowedName, &found) && !found.empty()) {
      return directory + found[0].longName;
    }
    return directory + kWindowedName;
  }
};

}  // namespace

int RunOnWin32(Win32Program kind, int argc, char** argv) {
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
  std::unique_ptr<platform::Files> companionFiles;
  platform::Files* files = services->files.get();
  if (kind == Win32Program::kConsoleCompanion) {
    companionFiles = std::make_unique<CompanionFiles>(*services->files);
    files = companionFiles.get();
  }
  const platform::Services machine{*services->registry, *files, *services->profiles,
                                   *services->system};
  const std::optional<SetupAction> setup = SetupActionOf(arguments.commandLine);
  auto program = [&](toolkit::FrontEnd& frontEnd) {
    if (setup) return RunSetup(*setup, frontEnd.Ui(), machine);
    return RunZubaNet(frontEnd, machine, arguments.commandLine);
  };
  if (!arguments.options.headless) return RunWindowed(argv[0], machine.files, err, program);
  headless::HeadlessFrontEnd frontEnd(arguments.options, machine.files, out, err);
  return program(frontEnd);
}

}  // namespace zuba::app
