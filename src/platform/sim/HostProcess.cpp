#include "platform/sim/HostProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

extern char** environ;

namespace zuba::platform::sim {
namespace {

constexpr std::uint32_t kInfinite = 0xFFFFFFFF;
// Without a pidfd a wait looks this often (milliseconds).
constexpr int kFallbackPollMs = 2;

int OpenPidFd(pid_t pid) {
#ifdef SYS_pidfd_open
  return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#else
  (void)pid;
  return -1;
#endif
}

// The host's environment with `extra` added, replacing entries of the same
// names.
std::vector<std::string> Environment(const std::vector<std::string>& extra) {
  std::vector<std::string> env;
  for (char** e = environ; e && *e; ++e) {
    std::string entry = *e;
    std::string name = entry.substr(0, entry.find('='));
    bool replaced = false;
    for (const std::string& x : extra) replaced |= x.compare(0, name.size() + 1, name + "=") == 0;
    if (!replaced) env.push_back(std::move(entry));
  }
  env.insert(env.end(), extra.begin(), extra.end());
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& t : texts) pointers.push_back(t.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

std::unique_ptr<HostProcess> HostProcess::Spawn(const std::string& program,
                                                const std::vector<std::string>& arguments,
                                                const std::string& directory,
                                                const std::vector<std::string>& environment,
                                                int* error) {
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<std::string> envp = Environment(environment);
  std::vector<char*> argvPointers = Pointers(argv);
  std::vector<char*> envPointers = Pointers(envp);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
  pid_t pid = 0;
  int result = posix_spawn(&pid, program.c_str(), &actions, nullptr, argvPointers.data(),
                           envPointers.data());
  posix_spawn_file_actions_destroy(&actions);
  if (result != 0) {
    *error = result;
    return nullptr;
  }
  return std::unique_ptr<HostProcess>(new HostProcess(pid));
}

HostProcess::HostProcess(pid_t pid) : pid_(pid), pidfd_(OpenPidFd(pid)) {}

HostProcess::~HostProcess() {
  if (pidfd_ >= 0) close(pidfd_);
  if (!ended_ && !Reap()) {
    pid_t pid = pid_;
    std::thread([pid] {
      int ignored;
      while (waitpid(pid, &ignored, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  }
}

bool HostProcess::Reap() {
  if (ended_) return true;
  int status = 0;
  pid_t r = waitpid(pid_, &status, WNOHANG);
  if (r == pid_ || (r < 0 && errno == ECHILD)) {
    ended_ = true;
    status_ = status;
  }
  return ended_;
}

bool HostProcess::WaitEnd(std::uint32_t timeoutMs) {
  if (Reap() || timeoutMs == 0) return ended_;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    int remaining = -1;
    if (timeoutMs != kInfinite) {
      auto left =
          std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      remaining = static_cast<int>(std::max<std::int64_t>(0, left.count()));
    }
    if (pidfd_ >= 0) {
      pollfd fd{pidfd_, POLLIN, 0};
      int r = poll(&fd, 1, remaining);
      if (r < 0 && errno != EINTR) return Reap();
    } else {
      int slice = remaining < 0 ? kFallbackPollMs : std::min(remaining, kFallbackPollMs);
      std::this_thread::sleep_for(std::chrono::milliseconds(slice));
    }
    if (Reap() || remaining == 0) return ended_;
  }
}

}  // namespace zuba::platform::sim
