#include "platform/sim/Desktop.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/sim/HostFile.h"
#include "platform/sim/RegistryLock.h"

namespace zuba::platform::sim {
namespace {

constexpr WindowHandle kDesktopHandleBase = 0x100;
constexpr char kPanelTag[] = "panel ";
constexpr char kKeyTag[] = "key ";

// Reads `count` decimal numbers separated by single blanks from `line` at
// `*pos`; each must end in a blank (or the line's end for the last).
bool ReadNumbers(const std::string& line, std::size_t* pos, std::int64_t* out, int count) {
  for (int i = 0; i < count; ++i) {
    const char* begin = line.c_str() + *pos;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(begin, &end, 10);
    if (end == begin || errno != 0 || (*end != ' ' && *end != '\0')) return false;
    out[i] = v;
    *pos = static_cast<std::size_t>(end - line.c_str()) + (*end == ' ' ? 1 : 0);
  }
  return true;
}

std::uint32_t Clamp32(std::int64_t v) {
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(v, 0, 0xFFFFFFFF));
}

bool AppendLine(int fd, const std::string& line) {
  std::string text = line + "\n";
  return write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

}  // namespace

MachineTime MachineNow() {
  auto since = std::chrono::system_clock::now().time_since_epoch();
  return std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
}

Desktop::Desktop(std::string machineDirectory, MachineConfig& config)
    : path_(std::move(machineDirectory) + "/desktop.log"), config_(config) {}

const Desktop::State& Desktop::Load() {
  struct stat st;
  if (stat(path_.c_str(), &st) != 0) {
    state_ = State();
    loadedSize_ = 0;
    loadedIno_ = 0;
    return state_;
  }
  // The log only grows until it is removed: its inode and size tell a change.
  if (loadedSize_ == st.st_size && loadedIno_ == st.st_ino) return state_;
  std::string content;
  if (!ReadHostFile(path_, &content)) return state_;
  State state;
  std::size_t begin = 0;
  while (begin < content.size()) {
    std::size_t end = content.find('\n', begin);
    if (end == std::string::npos) break;  // a line still being written
    std::string line = content.substr(begin, end - begin);
    begin = end + 1;
    std::size_t pos;
    std::int64_t n[9];
    if (line.rfind(kPanelTag, 0) == 0) {
      pos = sizeof kPanelTag - 1;
      if (!ReadNumbers(line, &pos, n, 9)) continue;
      PanelRun run;
      run.number = Clamp32(n[0]);
      run.start = n[1];
      run.script.openAfter = Clamp32(n[2]);
      run.script.closeAfter = Clamp32(n[3]);
      run.script.copyAfter = Clamp32(n[4]);
      run.script.copyFor = Clamp32(n[5]);
      run.script.conflicts = std::min(Clamp32(n[6]), kMaxConflicts);
      run.script.conflictAfter = Clamp32(n[7]);
      run.script.conflictCloseAfter = Clamp32(n[8]);
      run.script.title = line.substr(std::min(pos, line.size()));
      state.runs.push_back(std::move(run));
    } else if (line.rfind(kKeyTag, 0) == 0) {
      pos = sizeof kKeyTag - 1;
      if (!ReadNumbers(line, &pos, n, 4)) continue;
      state.keys.push_back({n[0], Clamp32(n[1]), static_cast<int>(n[2]), Clamp32(n[3])});
    }
  }
  state_ = std::move(state);
  loadedSize_ = static_cast<std::int64_t>(begin);
  if (begin != content.size()) loadedSize_ = -1;  // read the rest once it is whole
  loadedIno_ = st.st_ino;
  return state_;
}

std::uint32_t Desktop::StartPanel(const NetworkPanelScript& script, MachineTime start) {
  int fd = open(path_.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return 0;
  std::uint32_t number = 0;
  // Bounded like the registry's lock: a stopped holder fails the start.
  if (LockHostFile(fd, LOCK_EX, RegistryLock::kWaitLimit)) {
    std::uint32_t runs = 0;
    std::string content;
    if (ReadHostFile(path_, &content)) {
      for (std::size_t at = 0; at < content.size();) {
        if (content.compare(at, sizeof kPanelTag - 1, kPanelTag) == 0) ++runs;
        std::size_t end = content.find('\n', at);
        at = end == std::string::npos ? content.size() : end + 1;
      }
    }
    char numbers[256];
    std::snprintf(numbers, sizeof numbers, "%u %lld %u %u %u %u %u %u %u ", runs + 1,
                  static_cast<long long>(start), script.openAfter, script.closeAfter,
                  script.copyAfter, script.copyFor, script.conflicts, script.conflictAfter,
                  script.conflictCloseAfter);
    if (AppendLine(fd, kPanelTag + std::string(numbers) + script.title)) number = runs + 1;
    flock(fd, LOCK_UN);
  }
  close(fd);
  return number;
}

bool Desktop::RecordKey(const PostedKey& key) {
  int fd = open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  char line[128];
  std::snprintf(line, sizeof line, "%s%lld %u %d %u", kKeyTag, static_cast<long long>(key.time),
                key.window, key.virtualKey, key.keyData);
  bool ok = AppendLine(fd, line);
  close(fd);
  return ok;
}

std::vector<WindowSpan> Desktop::OpenWindows(MachineTime now) {
  const State& state = Load();
  std::vector<WindowSpan> open;
  for (const PanelRun& run : state.runs) {
    for (const WindowSpan& w : ComputePanelTimeline(run, state.keys).windows) {
      if (w.OpenAt(now)) open.push_back(w);
    }
  }
  std::stable_sort(open.begin(), open.end(),
                   [](const WindowSpan& a, const WindowSpan& b) { return a.shown > b.shown; });
  WindowHandle handle = kDesktopHandleBase;
  for (const auto& [name, title] : config_.Entries("Desktop")) {
    open.push_back({handle, title, 0, kNever});
    handle += 4;
  }
  return open;
}

MachineTime Desktop::PanelProcessEnd(std::uint32_t number) {
  const State& state = Load();
  for (const PanelRun& run : state.runs) {
    if (run.number == number) return ComputePanelTimeline(run, state.keys).processEnd;
  }
  return kNever;
}

bool CloseAllWindows(const std::string& machineDirectory) {
  return unlink((machineDirectory + "/desktop.log").c_str()) == 0 || errno == ENOENT;
}

}  // namespace zuba::platform::sim
