// Fuzzes the help file's parser: any bytes must parse, every topic listed
// must be found, and no title or line holds a line break.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "toolkit/HelpFile.h"

using zuba::toolkit::HelpFile;
using zuba::toolkit::HelpTopic;

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool NoBreak(const std::string& text) { return text.find_first_of("\r\n") == std::string::npos; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  HelpFile file = HelpFile::Parse(std::string(reinterpret_cast<const char*>(data), size));
  Check(NoBreak(file.Title()));
  int previous = -1;
  for (int context : file.Contexts()) {
    Check(context > previous);
    previous = context;
    const HelpTopic* topic = file.Topic(context);
    Check(topic != nullptr);
    Check(NoBreak(topic->title));
    for (const std::string& line : topic->lines) Check(NoBreak(line));
    if (!topic->lines.empty())
      Check(topic->lines.back().find_first_not_of(" \t") != std::string::npos);
  }
  return 0;
}
