// The program's own command line, as Windows passes it: switches and a
// setting name.
#ifndef ZUBA_SWITCH_COMMANDLINE_H_
#define ZUBA_SWITCH_COMMANDLINE_H_

#include <string>
#include <vector>

namespace zuba::switching {

struct CommandLine {
  bool named = false;              // a setting name came
  std::string name;                // the setting name
  bool noRestartQuestion = false;  // /C: restart without asking
  bool powerOffInstead = false;    // /E: a restart becomes a power-off
  bool previewOnly = false;        // /P: show what applying the name would change
  bool undoLast = false;           // /U: undo the last apply
  bool trial = false;              // /T: the named setting's apply is a trial
  bool confirmOnly = false;        // /K: confirm a trial (RunOnce), then end
  bool standingOnly = false;       // /S: where the machine stands, then end

  // Whether the program runs the command and ends, without the window: a
  // setting name, /U, /K or /S came.
  bool RunsWithoutWindow() const { return named || undoLast || confirmOnly || standingOnly; }
};

// Reads `parameters` first to last: "/C", "/E", "/P", "/U", "/T", "/K" and
// "/S" (either letter case) set their flag, other switches are ignored;
// every other parameter is part of the setting name, the parts joined by
// single blanks (a name with blanks comes as several parameters when
// Windows got it unquoted).
CommandLine ParseCommandLine(const std::vector<std::string>& parameters);

}  // namespace zuba::switching

#endif  // ZUBA_SWITCH_COMMANDLINE_H_
