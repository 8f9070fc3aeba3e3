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

}  // namespace zuba::app
