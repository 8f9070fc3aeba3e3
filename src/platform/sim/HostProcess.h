// A program of the host that the simulated machine runs for real: started
// with posix_spawn in a host directory, watched through a pidfd (so a wait
// blocks in the kernel instead of polling) and reaped when it ends.
#ifndef ZUBA_PLATFORM_SIM_HOSTPROCESS_H_
#define ZUBA_PLATFORM_SIM_HOSTPROCESS_H_

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zuba::platform::sim {

class HostProcess {
 public:
  // Starts the host file `program` with `arguments` (after argv[0], which is
  // `program`) in the host directory `directory`, standard input from
  // /dev/null, standard output and error inherited, and the host's
  // environment with `environment` ("NAME=value") added or replacing. Answers
  // nullptr with `*error` set to the errno value when it cannot start
  // (ENOEXEC for a file the host cannot execute).
  static std::unique_ptr<HostProcess> Spawn(const std::string& program,
                                            const std::vector<std::string>& arguments,
                                            const std::string& directory,
                                            const std::vector<std::string>& environment,
                                            int* error);

  // A process that is still running keeps running; it is reaped in the
  // background when it ends.
  ~HostProcess();
  HostProcess(const HostProcess&) = delete;
  HostProcess& operator=(const HostProcess&) = delete;

  // Waits at most `timeoutMs` milliseconds (0: just looks; 0xFFFFFFFF: no
  // limit) for the process to end. True once it has ended.
  bool WaitEnd(std::uint32_t timeoutMs);

  pid_t pid() const { return pid_; }
  // The exit status as waitpid reports it; meaningful once ended.
  int status() const { return status_; }

 private:
  explicit HostProcess(pid_t pid);
  bool Reap();

  pid_t pid_;
  int pidfd_ = -1;  // -1 where the kernel has no pidfd: waits then poll
  bool ended_ = false;
  int status_ = 0;
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_HOSTPROCESS_H_
