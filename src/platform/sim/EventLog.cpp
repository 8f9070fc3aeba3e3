#include "platform/sim/EventLog.h"

#include <fcntl.h>
#include <unistd.h>

#include <utility>

#include "platform/TextCodec.h"

namespace zuba::platform::sim {

EventLog::EventLog(std::string machineDirectory)
    : path_(std::move(machineDirectory) + "/events.log") {}

void EventLog::Append(const std::string& line) {
  std::string text = Cp932ToUtf8(line) + "\n";
  int fd = open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;                                     // a machine without a log keeps running
  ssize_t ignored = write(fd, text.data(), text.size());  // one write: one whole line
  (void)ignored;
  close(fd);
}

}  // namespace zuba::platform::sim
