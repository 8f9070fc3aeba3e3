// The application shell of tests below the user interface: plain messages
// are kept in order, the message loop has nothing to process.
#ifndef ZUBA_TESTING_RECORDINGSHELL_H_
#define ZUBA_TESTING_RECORDINGSHELL_H_

#include <string>
#include <vector>

#include "system/AppShell.h"

namespace zuba::testing {

class RecordingShell : public system::AppShell {
 public:
  void ShowPlainMessage(const std::string& text) override { messages.push_back(text); }
  void ProcessMessages() override { ++processMessagesCalls; }

  std::vector<std::string> messages;
  int processMessagesCalls = 0;
};

}  // namespace zuba::testing

#endif  // ZUBA_TESTING_RECORDINGSHELL_H_
