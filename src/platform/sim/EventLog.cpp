#include "platform/sim/EventLog.h"

#include <fcntl.h>
#include <unistd.h>

#include <utility>

#include "platform/TextCodec.h"

namespace zuba::platform::sim {

EventLog::EventLog(std::string machineDirectory)
    : path_(std::move(machineDirectory) + "/events.log") {}

void EventLog::Append(const std::string& line) {
  // Line breaks inside an event are shown as \r and \n: one event, one line.
  std::string text;
  for (char c : Cp932ToUtf8(line)) {
    if (c == '\r') {
      text += "\\r";
    } else if (c == '\n') {
      text += "\\n";
    } else {
      text += c;
    }
  }
  text += '\n';
  int fd = open(path_.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;                                     // a machine without a log keeps running
  ssize_t ignored = write(fd, text.data(), text.size());  // one write: one whole line
  (void)ignored;
  close(fd);
}

}  // namespace zuba::platform::sim
