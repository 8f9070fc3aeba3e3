// zubanet-linkprobe [LINK]: what the setup tests under Wine read back
// through the shell, as the Explorer would: the Programs folder of the
// Start menu ("programs<TAB>PATH") and, given a shortcut file, its target
// and working directory ("target<TAB>PATH", "directory<TAB>PATH"), or
// "no link" with exit code 1.
#include <memory>
#include <string>

#include "app/zubanet/win32/HandleStream.h"
#include "app/zubanet/win32/Win32ShellLinks.h"
#include "platform/win32/Win32Api.h"

int main(int argc, char** argv) {
  zuba::app::HandleStream out(GetStdHandle(STD_OUTPUT_HANDLE));
  std::unique_ptr<zuba::app::ShellLinks> links = zuba::app::OpenWin32ShellLinks();
  out << "programs\t" << links->ProgramsFolder() << "\n";
  if (argc < 2) return 0;
  zuba::app::ShellLink link;
  if (!links->ReadLink(argv[1], &link)) {
    out << "no link\n";
    return 1;
  }
  out << "target\t" << link.target << "\ndirectory\t" << link.workingDirectory << "\n";
  return 0;
}
