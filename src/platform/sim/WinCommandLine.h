// How Windows reads a command line: CreateProcessA without an application
// name finds the program at its start, and the C runtime of the started
// program splits the rest into arguments. Both walk code page 932 text by
// whole characters, so a trail byte 0x5C is never taken for a backslash.
// Kept free of non-ASCII literals (it parses outside input).
#ifndef ZUBA_PLATFORM_SIM_WINCOMMANDLINE_H_
#define ZUBA_PLATFORM_SIM_WINCOMMANDLINE_H_

#include <string>
#include <string_view>
#include <vector>

namespace zuba::platform::sim {

// One reading of a command line: the text taken as the program's name and
// the rest of the line after it.
struct ProgramGuess {
  std::string program;
  std::string arguments;
};

// The readings CreateProcessA tries, in order. Leading blanks (space, tab)
// are skipped. A line that then starts with a double quote names the
// program up to the next double quote (or the end of the line), and that is
// the only reading. Otherwise every blank ends one more candidate, shortest
// first: "C:\Program Files\A B.exe x" gives "C:\Program", "C:\Program
// Files\A", "C:\Program Files\A B.exe" and the whole line. An empty (or
// blank) line has no reading.
std::vector<ProgramGuess> ProgramGuesses(std::string_view commandLine);

// `name` with ".exe" appended when its last path component has no
// extension (no dot), as CreateProcessA does.
std::string WithDefaultExtension(const std::string& name);

// Whether `name` holds a drive or directory part (":" or "\" or "/"): such a
// name is not searched for along the system's directories.
bool HasPathPart(std::string_view name);

// The arguments as the C runtime splits them: blanks separate arguments
// outside double quotes; a double quote toggles quoting; inside quotes two
// double quotes give one; 2n backslashes before a double quote give n
// backslashes (the quote then toggles), 2n+1 give n backslashes and a
// literal double quote; other backslashes stand for themselves.
std::vector<std::string> SplitArguments(std::string_view arguments);

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_WINCOMMANDLINE_H_
