#include "app/zubanet/Arguments.h"

namespace zuba::app {

bool ParseArguments(const std::vector<std::string>& args, bool takesMachine, Arguments* parsed,
                    std::string* error) {
  std::vector<std::string> rest;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--") {
      rest.insert(rest.end(), args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
      break;
    }
    if (arg == "--help" || arg == "-h") {
      parsed->help = true;
      return true;
    }
    if (takesMachine && arg == "--machine") {
      if (i + 1 >= args.size()) {
        *error = "--machine needs a directory";
        return false;
      }
      parsed->machine = args[++i];
    } else if (takesMachine && arg.rfind("--machine=", 0) == 0) {
      parsed->machine = arg.substr(10);
    } else {
      rest.push_back(arg);
    }
  }
  if (!headless::TakeFrontEndOptions(&rest, &parsed->options, error)) return false;
  bool afterDashes = false;
  for (const std::string& arg : rest) {
    if (!afterDashes && arg == "--") {
      afterDashes = true;
      continue;
    }
    if (!afterDashes && arg.rfind("--", 0) == 0) {
      *error = "unknown option " + arg;
      return false;
    }
    parsed->commandLine.push_back(arg);
  }
  return true;
}

std::string UsageText(bool takesMachine) {
  std::string text = takesMachine ? "usage: zubanet [--machine DIR] " : "usage: zubanet ";
  text += "[--headless] [--answer A]... [--do ACTION]... [--] [ARGUMENT...]\n";
  if (takesMachine) {
    text +=
        "  --machine DIR   the simulated machine (default $ZUBANET_MACHINE, else\n"
        "                  $XDG_DATA_HOME/zubanet/machine, created on first use)\n";
  }
  text +=
        "  --headless      no windows; message boxes are written to standard error\n"
        "  --answer A      answers message boxes and file dialogs in order:\n"
        "                  ok, cancel, yes, no, file=WINPATH\n"
        "  --do ACTION     with --headless, a user's action after the first show:\n"
        "                    click NAME          a left click (a menu item is chosen)\n"
        "                    rclick NAME         a right click\n"
        "                    dblclick NAME       a double click\n"
        "                    type NAME TEXT      replaces an edit's text, as typed\n"
        "                    key NAME KEY        Return, Escape, Delete, Tab, F1, ...,\n"
        "                                        optionally after Shift+, Ctrl+, Alt+\n"
        "                    choose NAME TEXT    chooses an entry of a list\n"
        "                    toggle NAME TEXT    adds an entry of a list box to its\n"
        "                                        selection or takes it out\n"
        "                    drag NAME TARGET    drags NAME onto TARGET and drops it\n"
        "                    dump                the active form as one line of JSON\n"
        "  ARGUMENT        the program's command line: /c (no restart question),\n"
        "                  /e (power off), /p (preview), /u (undo the last apply),\n"
        "                  /t (apply on trial), /k (confirm a trial), /s (the saved\n"
        "                  settings the machine holds, on standard output),\n"
        "                  a saved setting's name to apply\n";
  return text;
}

}  // namespace zuba::app
