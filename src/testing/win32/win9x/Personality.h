// Windows 9x's answers for a program that runs under Wine, which implements
// every Windows NT function even when it answers as Windows 98 or 95: the
// functions docs/win9x-imports.md marks as stubs on 95/98 fail with
// ERROR_CALL_NOT_IMPLEMENTED, and CreateFileA refuses FILE_SHARE_DELETE
// with ERROR_INVALID_PARAMETER. The program's import table is patched, so
// the program's own code runs unchanged.
//
// Faults for the kill and move-failure matrices, chosen by the
// environment:
//   ZUBA_KILL_AT=N       the N-th call of a file-changing function (MoveFileA,
//                        MoveFileExA, DeleteFileA, CopyFileA, WriteFile to a
//                        disk file, SetEndOfFile, WritePrivateProfileStringA,
//                        WritePrivateProfileSectionA, RegFlushKey) ends the
//                        process at once with kKilledExitCode, without
//                        clean-up, as a power cut would;
//   ZUBA_FAIL_MOVE_AT=N  the N-th move (MoveFileA, or MoveFileExA where it
//                        is not a stub) fails with ERROR_SHARING_VIOLATION;
//   ZUBA_CALLS_FILE=PATH at the end of a process not ended so, "CALLS MOVES"
//                        (how many of each it made) goes to PATH, then one
//                        line per file-changing call: "N FUNCTION [FILE [TO]]".
#ifndef ZUBA_TESTING_WIN32_WIN9X_PERSONALITY_H_
#define ZUBA_TESTING_WIN32_WIN9X_PERSONALITY_H_

#include <windows.h>

namespace zuba::testing::win9x {

constexpr UINT kKilledExitCode = 86;

// Patches the import table of `module` (the program's own, once per
// process) and reads the faults from the environment.
void InstallPersonality(HMODULE module);

// Writes the counts to ZUBA_CALLS_FILE, if set.
void ReportCalls();

}  // namespace zuba::testing::win9x

#endif  // ZUBA_TESTING_WIN32_WIN9X_PERSONALITY_H_
