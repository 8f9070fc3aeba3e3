// zubanet's command line, read alike by the entry on the simulated machine
// and the one on Windows:
//
//   zubanet [--machine DIR] [--headless] [--answer A]... [--do ACTION]... [--] [ARGUMENT...]
//
// --machine is the simulated machine's entry's own; the front-end's options
// are those of frontend/headless/FrontEndOptions.h; the ARGUMENTs are the
// program's command line as Windows passes it (/c, /e, a setting name).
#ifndef ZUBA_APP_ZUBANET_ARGUMENTS_H_
#define ZUBA_APP_ZUBANET_ARGUMENTS_H_

#include <string>
#include <vector>

#include "frontend/headless/FrontEndOptions.h"

namespace zuba::app {

struct Arguments {
  bool help = false;    // --help or -h: the usage, nothing else
  std::string machine;  // --machine DIR
  headless::FrontEndOptions options;
  std::vector<std::string> commandLine;
};

// Reads `args` (the program's name left out). `takesMachine` says whether
// --machine is an option here. False with the message in `*error` on a
// usage error; `parsed->help` stops the reading where it stands.
bool ParseArguments(const std::vector<std::string>& args, bool takesMachine, Arguments* parsed,
                    std::string* error);

// The usage text of --help and of a usage error; `takesMachine` as above.
std::string UsageText(bool takesMachine);

}  // namespace zuba::app

#endif  // ZUBA_APP_ZUBANET_ARGUMENTS_H_
