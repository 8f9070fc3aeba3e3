// COMMAND.COM of the machine's real-mode start: runs a batch file (the
// machine's AUTOEXEC.BAT and what it calls) as MS-DOS 7 does, with the
// commands a boot needs and no more:
//
//   @LINE                       the line is not echoed
//   ECHO [ON|OFF|TEXT], ECHO.   switches echoing, shows TEXT or an empty line
//   CLS, REM TEXT               nothing to show
//   SET [NAME=VALUE]            the environment (SET alone lists it)
//   CALL FILE [ARGS]            runs a batch file and comes back
//   FILE [ARGS]                 runs a batch file for good (no return)
//   GOTO LABEL, :LABEL          jumps to the first line ":LABEL"; the first
//                               8 bytes count, letter case does not
//   IF [NOT] ERRORLEVEL N CMD   true when the exit code is N or more
//   IF [NOT] EXIST FILE CMD
//   IF [NOT] A==B CMD
//   CHOICE [/C[:]KEYS] [/N] [/S] [/T[:]KEY,SECONDS] [TEXT]
//   REGEDIT FILE                the real-mode registry import (DosHost)
//
// Before a line runs, % is expanded: %% is one %, %0 to %9 the batch file's
// parameters, %NAME% a variable of the environment; a lone % is dropped.
// The environment holds at most 32 KB ("Out of environment space"), and
// what the expansions add to one line is cut at that size. A file ends at
// its first Ctrl+Z (0x1A); lines end in CR LF, LF or CR and may be of any
// length; each file is read once per run. Text is CP932 and double-byte
// aware: a trail byte is never taken for "\" or "|".
//
// What COMMAND.COM reports is shown as it reports it: "Bad command or file
// name" for anything else (the next line runs), "Label not found" (that
// batch file ends), "Syntax error". What the simulation does not do is said
// in a line starting with "(zubanet-machine: ": pipes and redirection (the
// line is skipped), a CHOICE with no key and no default, and the bounds on
// the lines run (a GOTO loop), on nested CALLs and on the bytes shown, which
// stop the batch.
//
// This translation unit holds no non-ASCII literal, so it also builds
// without -fexec-charset (the fuzzing build).
#ifndef ZUBA_PLATFORM_SIM_DOSBATCH_H_
#define ZUBA_PLATFORM_SIM_DOSBATCH_H_

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace zuba::platform::sim {

// What a batch file reaches outside the interpreter. Paths are absolute
// Windows paths ("C:\ZUBANET\ZUBASET.BAT").
class DosHost {
 public:
  virtual ~DosHost() = default;
  // The whole content of a file; false when it is missing or a directory.
  virtual bool ReadFile(const std::string& path, std::string* content) = 0;
  // Whether a file (not a directory) is there.
  virtual bool FileExists(const std::string& path) = 0;
  // REGEDIT FILE: imports the REGEDIT4 file into the registry, all or
  // nothing, and appends what the registry editor shows to `*screen`.
  virtual void ImportRegistry(const std::string& path, std::vector<std::string>* screen) = 0;
};

struct DosBatchOptions {
  // The key pressed at every CHOICE prompt; 0 for none, so that CHOICE takes
  // its /T default (the simulation does not wait out the seconds). A key
  // that is not offered is ignored, as CHOICE ignores it with a beep.
  char choiceKey = 0;
  // The batch stops after this many lines, counted over all files.
  std::size_t maxSteps = 10000;
  // At most this many batch files run at once (CALL inside CALL).
  std::size_t maxCallDepth = 16;
  // The batch stops once the screen has shown more bytes than this.
  std::size_t maxScreenBytes = 4 << 20;
  // The environment at the start, in order (PATH, COMSPEC, ...).
  std::vector<std::pair<std::string, std::string>> environment;
  // The current directory, with its trailing backslash.
  std::string currentDirectory = "C:\\";
};

struct DosBatchResult {
  std::vector<std::string> screen;  // the lines shown, CP932, in order
  int errorLevel = 0;               // the last program's exit code
  bool completed = true;            // false: a bound or a missing answer stopped it
};

// Runs the batch file `path` (absolute). A missing file shows nothing.
DosBatchResult RunDosBatch(DosHost& host, const std::string& path, const DosBatchOptions& options);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_DOSBATCH_H_
