#include "platform/sim/RealModeHost.h"

#include <string_view>

#include "platform/sim/RegeditFile.h"
#include "platform/sim/SimulatedMachine.h"

namespace zuba::platform::sim {
namespace {

// Whether the text starts with the line "REGEDIT4" (blanks after it allowed).
bool HasRegedit4Header(std::string_view text) {
  std::string_view line = text.substr(0, text.find_first_of("\r\n"));
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  return line == "REGEDIT4";
}

}  // namespace

bool RealModeHost::ReadFile(const std::string& path, std::string* content) {
  return files_.ReadBytes(path, content);
}

bool RealModeHost::FileExists(const std::string& path) {
  const std::uint32_t attributes = files_.GetAttributes(path);
  return attributes != kInvalidAttributes && !(attributes & kAttrDirectory);
}

void RealModeHost::ImportRegistry(const std::string& path, std::vector<std::string>* screen) {
  std::string text, refused;
  if (!files_.ReadBytes(path, &text)) {
    refused = "Error opening the file. There may be a disk or file system error.";
  } else if (!HasRegedit4Header(text)) {
    refused = "The specified file is not a registry script.";
  } else {
    try {
      ImportRegedit4(registry_, text, path);
    } catch (const MachineError& e) {
      refused = std::string(e.what()) + "; nothing was imported.";
    }
  }
  if (refused.empty()) {
    screen->push_back("Information in " + path +
                      " has been successfully entered into the registry.");
    system_.LogEvent("boot: regedit " + path + ": imported");
  } else {
    screen->push_back("Cannot import " + path + ": " + refused);
    system_.LogEvent("boot: regedit " + path + ": not imported: " + refused);
  }
}

}  // namespace zuba::platform::sim
