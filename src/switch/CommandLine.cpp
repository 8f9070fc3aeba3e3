#include "switch/CommandLine.h"

namespace zuba::switching {

CommandLine ParseCommandLine(const std::vector<std::string>& parameters) {
  CommandLine line;
  for (const std::string& parameter : parameters) {
    if (parameter.empty()) continue;
    if (parameter[0] == '/') {
      const char letter = parameter.size() > 1 ? parameter[1] : '\0';
      if (letter == 'c' || letter == 'C') line.noRestartQuestion = true;
      if (letter == 'e' || letter == 'E') line.powerOffInstead = true;
      if (letter == 'p' || letter == 'P') line.previewOnly = true;
      if (letter == 'u' || letter == 'U') line.undoLast = true;
      if (letter == 't' || letter == 'T') line.trial = true;
      if (letter == 'k' || letter == 'K') line.confirmOnly = true;
      if (letter == 's' || letter == 'S') line.standingOnly = true;
      continue;
    }
    if (line.named) line.name += ' ';
    line.name += parameter;
    line.named = true;
  }
  return line;
}

}  // namespace zuba::switching
