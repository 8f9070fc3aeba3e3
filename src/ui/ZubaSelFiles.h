// The files of the boot-time switch: the menu batch file zubaset.bat, one
// registry script per setting (A.reg, B.reg, ...) that puts the program into
// RunOnce with the setting's name, and the call line at the end of
// autoexec.bat with its backup autoexec.zb. Every line ends in CR LF.
//
// The batch lines run in real-mode DOS, the scripts are imported by the
// real-mode registry editor and the RunOnce value becomes the program's
// command line, which takes every parameter that is no switch, joined by
// single blanks, as the setting's name. So a name goes into the menu only
// when all three carry it unchanged (BootMenuNames).
#ifndef ZUBA_UI_ZUBASELFILES_H_
#define ZUBA_UI_ZUBASELFILES_H_

#include <cstddef>
#include <string>
#include <vector>

#include "platform/Files.h"

namespace zuba::ui {

// The menu holds at most 20 settings: the letters A to T, never X (cancel).
inline constexpr std::size_t kMaxBootSettings = 20;

// The names of `names` that the menu can carry, in order, at most
// kMaxBootSettings of them; the others are appended to `*skipped`. Skipped:
// the empty name, control characters, a double-byte character without its
// second byte, the characters < > | % " (redirection, expansion, the end of
// a .reg string), a blank at either end or two in a row, and a word that
// starts with "/" (a switch of the command line).
std::vector<std::string> BootMenuNames(const std::vector<std::string>& names,
                                       std::vector<std::string>* skipped);

// The directory the boot files name for `programDir` (with its trailing
// backslash): each component that is no 8.3 name replaced by its 8.3 alias,
// because real-mode DOS sees only those and an unquoted RunOnce command line
// must hold no blank before the name. `programDir` unchanged when it is an
// 8.3 path already or a component cannot be found.
std::string BootDirectory(platform::Files& files, const std::string& programDir);

// Each raises system::Exception ("%s に書き込めません", or "%s を読み込めません"
// for autoexec.bat) with the file's path when a file cannot be read or
// written; what was written before stays.

// Writes `programDir`zubaset.bat: the menu of `names` (at most
// kMaxBootSettings; letters from A), a CHOICE with X as its default after
// ten seconds, and a REGEDIT of the chosen letter's script.
void MakeSwitchBatch(platform::Files& files, const std::string& programDir,
                     const std::vector<std::string>& names);

// Appends the line `call "PROGRAMDIRzubaset.bat"` to `autoexecDir`autoexec.bat
// after saving its lines as autoexec.zb, unless a line equals it (ASCII case
// ignored). A last line that is the end-of-file mark Ctrl+Z stays last, so
// the call line is not hidden behind it. True when autoexec.bat was changed.
bool AddAutoexecCall(platform::Files& files, const std::string& autoexecDir,
                     const std::string& programDir);

// Takes the boot menu out of `autoexecDir`autoexec.bat: removes every line
// AddAutoexecCall adds for `programDir` (ASCII case ignored) and leaves the
// others as they stand. autoexec.zb stays: it is the user's copy of the
// file as it was. True when autoexec.bat was changed; false when it holds no
// such line or cannot be read. Raises system::Exception when it cannot be
// written.
bool RemoveAutoexecCall(platform::Files& files, const std::string& autoexecDir,
                        const std::string& programDir);

// The names of the files the boot menu writes beside the program:
// zubaset.bat and the scripts A.reg to T.reg.
std::vector<std::string> BootFileNames();

// Writes one REGEDIT4 script per name (at most kMaxBootSettings), letter by
// letter from A: the RunOnce value "ZubaNet" holding the program's path, a
// blank, the name and, with `withSwitchC`, " /c". Backslashes are doubled
// in the value (the name's too, so every name reads back unchanged), never
// the second byte of a double-byte character.
void MakeRegFiles(platform::Files& files, const std::string& programDir,
                  const std::vector<std::string>& names, bool withSwitchC);

}  // namespace zuba::ui

#endif  // ZUBA_UI_ZUBASELFILES_H_
