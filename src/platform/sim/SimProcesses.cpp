#include "platform/sim/SimProcesses.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include "platform/TextCodec.h"
#include "platform/WinError.h"
#include "platform/Cp932.h"
#include "platform/sim/NetworkPanel.h"
#include "platform/sim/WinCommandLine.h"

namespace zuba::platform::sim {
namespace {

constexpr std::uint32_t kInfinite = 0xFFFFFFFF;
// How often a wait on the control panel's process looks at its windows.
constexpr std::int64_t kPanelPollMs = 5;

// The position just after the last "\", "/" or ":" of a Windows path (0
// when there is none), never inside a double-byte character.
std::size_t NameStart(const std::string& path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i += Cp932CharLength(path, i)) {
    if (path[i] == '\\' || path[i] == '/' || path[i] == ':') start = i + 1;
  }
  return start;
}

std::string JoinPath(const std::string& directory, const std::string& name) {
  if (directory.empty() || NameStart(directory) == directory.size()) return directory + name;
  return directory + "\\" + name;
}

std::string DirectoryOf(const std::string& path) {
  std::size_t start = NameStart(path);
  if (start == 0) return "";
  if (start == 3 && path[1] == ':') return path.substr(0, 3);  // "C:\X.EXE" lies in "C:\"
  return path.substr(0, start - (path[start - 1] == ':' ? 0 : 1));
}

// Whether the file name ends in an extension Windows 9x starts: .EXE,
// .COM, .BAT or .PIF.
bool HasProgramExtension(const std::string& path) {
  const std::string_view name = std::string_view(path).substr(NameStart(path));
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return false;
  const std::string_view extension = name.substr(dot + 1);
  for (const char* known : {"exe", "com", "bat", "pif"}) {
    if (EqualsNoCaseCp932(extension, known)) return true;
  }
  return false;
}

bool IsNetworkPanel(const std::string& program, const std::string& arguments) {
  if (!EqualsNoCaseCp932(std::string_view(program).substr(NameStart(program)), "rundll32.exe")) {
    return false;
  }
  std::vector<std::string> words = SplitArguments(arguments);
  return words.size() == 2 && EqualsNoCaseCp932(words[0], "shell32.dll,Control_RunDLL") &&
         EqualsNoCaseCp932(words[1], "netcpl.cpl");
}

std::uint32_t ErrnoToWinError(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return kErrorFileNotFound;
    case EACCES:
    case EPERM:
      return kErrorAccessDenied;
    case ENOEXEC:
    case ELIBBAD:
      return kErrorBadExeFormat;
    default:
      return kErrorNotEnoughMemory;
  }
}

}  // namespace

SimProcesses::~SimProcesses() = default;  // host processes keep running (HostProcess)

bool SimProcesses::IsProgramFile(const std::string& path, std::string* hostPath) {
  *hostPath = context_.files.HostPathOf(path);
  struct stat st;
  return !hostPath->empty() && stat(hostPath->c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool SimProcesses::FindProgram(const std::string& commandLine, std::string* program,
                               std::string* arguments) {
  const std::string windows = context_.config.WindowsDirectory();
  const bool nt = context_.config.Version().platformId == 2;
  const std::vector<std::string> searched = {
      DirectoryOf(context_.config.ProgramPath()),
      context_.config.CurrentDirectory(),
      JoinPath(windows, nt ? "SYSTEM32" : "SYSTEM"),
      windows,
  };
  std::string host;
  for (const ProgramGuess& guess : ProgramGuesses(commandLine)) {
    const std::string name = WithDefaultExtension(guess.program);
    std::vector<std::string> candidates;
    if (HasPathPart(name)) {
      candidates.push_back(name);
    } else {
      for (const std::string& dir : searched) candidates.push_back(JoinPath(dir, name));
    }
    for (const std::string& candidate : candidates) {
      if (!IsProgramFile(candidate, &host)) continue;
      *program = candidate;
      *arguments = guess.arguments;
      return true;
    }
  }
  return false;
}

ProcessHandle SimProcesses::Fail(const std::string& what, std::uint32_t code) {
  context_.events.Append(what + " failed: error " + std::to_string(code));
  context_.Fail(code);
  return 0;
}

ProcessHandle SimProcesses::Add(Process process) {
  ProcessHandle handle = nextHandle_;
  nextHandle_ += 4;
  processes_.emplace(handle, std::move(process));
  context_.Fail(kErrorSuccess);
  return handle;
}

ProcessHandle SimProcesses::Start(const std::string& commandLine,
                                  const std::string& workingDirectory, std::uint32_t creationFlags,
                                  int showState) {
  const std::string directory =
      workingDirectory.empty() ? context_.files.CurrentDirectory() : workingDirectory;
  const std::string what = "CreateProcess \"" + commandLine + "\" in \"" + directory + "\"";
  if (std::uint32_t code = context_.config.FailCode("CreateProcess")) return Fail(what, code);
  std::string program, arguments;
  if (!FindProgram(commandLine, &program, &arguments)) return Fail(what, kErrorFileNotFound);
  if (!HasProgramExtension(program)) return Fail(what, kErrorBadExeFormat);
  std::string hostDirectory = context_.files.HostPathOf(directory);
  struct stat st;
  if (hostDirectory.empty() || stat(hostDirectory.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    return Fail(what, kErrorDirectory);
  }
  const std::string how = " (flags " + std::to_string(creationFlags) + ", show " +
                          std::to_string(showState) + "): " + program;

  if (IsNetworkPanel(program, arguments)) {
    std::uint32_t run = desktop_.StartPanel(ReadNetworkPanelScript(context_.config), MachineNow());
    if (run == 0) return Fail(what, kErrorNotEnoughMemory);
    context_.events.Append(what + how + " opens the Network control panel (run " +
                           std::to_string(run) + ")");
    return Add(Process{nullptr, run});
  }

  std::vector<std::string> words;
  for (const std::string& word : SplitArguments(arguments)) words.push_back(Cp932ToUtf8(word));
  std::string hostProgram;
  IsProgramFile(program, &hostProgram);
  const std::string zubanet = context_.config.Get("Program", "Host");
  if (!zubanet.empty() && hostProgram == context_.files.HostPathOf(context_.config.ProgramPath())) {
    // The machine's own program is this project's zubanet, run headless on
    // this machine with the command line's arguments.
    std::vector<std::string> options = {"--machine", context_.directory, "--headless"};
    options.insert(options.end(), context_.programOptions.begin(), context_.programOptions.end());
    options.push_back("--");
    words.insert(words.begin(), options.begin(), options.end());
    return SpawnHost(what + how + " runs " + zubanet, zubanet, words, hostDirectory);
  }
  if (stat(hostProgram.c_str(), &st) == 0 && (st.st_mode & S_IXUSR)) {
    return SpawnHost(what + how + " runs on the host", hostProgram, words, hostDirectory);
  }

  context_.events.Append(what + how + " started and ended (not a host program)");
  return Add(Process{});
}

ProcessHandle SimProcesses::SpawnHost(const std::string& what, const std::string& hostProgram,
                                      const std::vector<std::string>& words,
                                      const std::string& hostDirectory) {
  // The program sees the registry as this one left it.
  context_.SaveRegistry();
  int error = 0;
  auto host = HostProcess::Spawn(hostProgram, words, hostDirectory,
                                 {"ZUBANET_MACHINE=" + context_.directory}, &error);
  if (!host) return Fail(what, ErrnoToWinError(error));
  context_.events.Append(what + " (pid " + std::to_string(host->pid()) + ")");
  return Add(Process{std::move(host), 0});
}

bool SimProcesses::Ended(Process& process, std::uint32_t timeoutMs) {
  if (process.host) return process.host->WaitEnd(timeoutMs);
  if (process.panelRun == 0) return true;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const MachineTime end = desktop_.PanelProcessEnd(process.panelRun);
    const MachineTime now = MachineNow();
    if (now >= end) return true;
    std::int64_t slice = std::min(kPanelPollMs, end - now);
    if (timeoutMs != kInfinite) {
      auto left =
          std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
              .count();
      if (left <= 0) return false;
      slice = std::min<std::int64_t>(slice, left);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(slice));
  }
}

std::uint32_t SimProcesses::Wait(ProcessHandle handle, std::uint32_t timeoutMs) {
  if (std::uint32_t code = context_.config.FailCode("WaitForSingleObject")) {
    context_.Fail(code);
    return kWaitFailed;
  }
  auto found = processes_.find(handle);
  if (found == processes_.end()) {
    context_.Fail(kErrorInvalidHandle);
    return kWaitFailed;
  }
  return Ended(found->second, timeoutMs) ? kWaitObject0 : kWaitTimeout;
}

bool SimProcesses::Close(ProcessHandle handle) {
  if (std::uint32_t code = context_.config.FailCode("CloseHandle")) {
    context_.Fail(code);
    return false;
  }
  if (processes_.erase(handle) == 0) {
    context_.Fail(kErrorInvalidHandle);
    return false;
  }
  return true;
}

}  // namespace zuba::platform::sim
