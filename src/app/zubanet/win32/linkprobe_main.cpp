// zubanet-linkprobe [LINK]: what the Windows tests read back through the
// shell, as the Explorer would: the Programs folder of the Start menu
// ("programs<TAB>PATH"), the desktop's folder ("desktop<TAB>PATH") and,
// given a shortcut file, its target, arguments and working directory
// ("target<TAB>PATH", "arguments<TAB>TEXT", "directory<TAB>PATH"), or
// "no link" with exit code 1.
#include <memory>
#include <string>

#include "app/zubanet/win32/HandleStream.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

int main(int argc, char** argv) {
  zuba::app::HandleStream out(GetStdHandle(STD_OUTPUT_HANDLE));
  std::unique_ptr<zuba::platform::System> system = zuba::platform::win32::OpenWin32System();
  std::string folder;
  system->GetSpecialFolder(zuba::platform::kCsidlPrograms, &folder);
  out << "programs\t" << folder << "\n";
  folder.clear();
  system->GetSpecialFolder(zuba::platform::kCsidlDesktopDirectory, &folder);
  out << "desktop\t" << folder << "\n";
  if (argc < 2) return 0;
  zuba::platform::ShellLink link;
  if (!system->ReadShellLink(argv[1], &link)) {
    out << "no link\n";
    return 1;
  }
  out << "target\t" << link.target << "\narguments\t" << link.arguments << "\ndirectory\t"
      << link.workingDirectory << "\n";
  return 0;
}
