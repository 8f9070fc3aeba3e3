// The machine's log of events: DIR/events.log, one UTF-8 line per event
// (shut-down requests, started processes, posted keys, broadcasts, registry
// flushes). Lines are appended with O_APPEND, so processes sharing the
// machine never overwrite each other's lines.
#ifndef ZUBA_PLATFORM_SIM_EVENTLOG_H_
#define ZUBA_PLATFORM_SIM_EVENTLOG_H_

#include <string>

namespace zuba::platform::sim {

class EventLog {
 public:
  explicit EventLog(std::string machineDirectory);

  // Appends `line` (CP932) as one UTF-8 line; a CR or LF inside it is
  // written as the two characters \r or \n.
  void Append(const std::string& line);

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace zuba::platform::sim

#endif  // ZUBA_PLATFORM_SIM_EVENTLOG_H_
