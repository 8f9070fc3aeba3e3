// The run of zubanet on Windows, shared by its two programs:
//
//   ZUBANET.EXE   the windowed program (PE subsystem 2) the user starts from
//                 the Explorer, the Start menu or RunOnce. It never has a
//                 console; on Windows 9x it gets no standard handles, so its
//                 --headless output goes nowhere there.
//   ZUBANETC.EXE  its console companion (subsystem 3) for scripts: the same
//                 run, which COMMAND.COM waits for and whose standard output
//                 and error it redirects. It is ZUBANET.EXE to the machine:
//                 the settings file, the journal, the help and the boot
//                 files are those of ZUBANET.EXE in its directory.
//
//   [--headless] [--answer A]... [--do ACTION]... [--] [ARGUMENT...]
//
// With --headless it runs as on the simulated machine: no window, the
// user's part played by --answer and --do, message boxes on standard error
// and dumps on standard output, in UTF-8. Without it, the program's windows
// on the Windows API (frontend/win32). The ARGUMENTs "/install" and
// "/uninstall" alone run setup (Setup.h) instead of the program.
#ifndef ZUBA_APP_ZUBANET_WIN32_WIN32RUN_H_
#define ZUBA_APP_ZUBANET_WIN32_WIN32RUN_H_

namespace zuba::app {

enum class Win32Program { kWindowed, kConsoleCompanion };

// The program's exit code.
int RunOnWin32(Win32Program program, int argc, char** argv);

}  // namespace zuba::app

#endif  // ZUBA_APP_ZUBANET_WIN32_WIN32RUN_H_
