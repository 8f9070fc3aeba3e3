// Fuzzes the machine's batch interpreter (COMMAND.COM of the real-mode
// start). The input is split at zero bytes into batch files: the first is
// C:\AUTOEXEC.BAT, the others C:\F1.BAT, C:\F2.BAT, ...; its first byte is
// also the key pressed at CHOICE. Beyond "no crash, no undefined behaviour,
// no hang":
// - a run ends within its bounds, and a run that stopped says why in its
//   last line;
// - every file read or imported is named by an absolute path;
// - the error level stays within 0 to 255;
// - a second run gives the same screen (no hidden state).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/Cp932.h"
#include "platform/sim/DosBatch.h"

namespace {

using zuba::platform::FoldCp932;
using namespace zuba::platform::sim;

void Check(bool condition) {
  if (!condition) std::abort();
}

bool IsAbsolute(const std::string& path) {
  return path.size() >= 3 && path[1] == ':' && path[2] == '\\';
}

class FakeHost : public DosHost {
 public:
  bool ReadFile(const std::string& path, std::string* content) override {
    Check(IsAbsolute(path));
    auto found = files.find(FoldCp932(path));
    if (found == files.end()) return false;
    *content = found->second;
    return true;
  }
  bool FileExists(const std::string& path) override {
    std::string content;
    return ReadFile(path, &content);
  }
  void ImportRegistry(const std::string& path, std::vector<std::string>* screen) override {
    Check(IsAbsolute(path));
    screen->push_back("imported " + path);
  }
  std::map<std::string, std::string> files;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  FakeHost host;
  std::size_t start = 0;
  for (int n = 0; start <= input.size(); ++n) {
    std::size_t end = input.find('\0', start);
    if (end == std::string::npos) end = input.size();
    const std::string name = n == 0 ? "C:\\AUTOEXEC.BAT" : "C:\\F" + std::to_string(n) + ".BAT";
    host.files[FoldCp932(name)] = input.substr(start, end - start);
    start = end + 1;
  }
  DosBatchOptions options;
  options.choiceKey = size > 0 ? static_cast<char>(data[0]) : 0;
  options.maxSteps = 500;
  options.environment = {{"PATH", "C:\\;C:\\WINDOWS"}};
  const DosBatchResult first = RunDosBatch(host, "C:\\AUTOEXEC.BAT", options);
  Check(first.errorLevel >= 0 && first.errorLevel <= 255);
  if (!first.completed) {
    Check(!first.screen.empty() && first.screen.back().rfind("(zubanet-machine: ", 0) == 0);
  }
  const DosBatchResult second = RunDosBatch(host, "C:\\AUTOEXEC.BAT", options);
  Check(second.screen == first.screen && second.errorLevel == first.errorLevel &&
        second.completed == first.completed);
  return 0;
}
