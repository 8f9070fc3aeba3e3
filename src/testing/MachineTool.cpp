#include "testing/MachineTool.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "testing/Unprivileged.h"

namespace zuba::testing {

std::string ReadHostFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void MachineToolTest::SetUp() {
  const char* tool = std::getenv("ZUBA_MACHINE_TOOL");
  if (!tool || !*tool) GTEST_SKIP() << "ZUBA_MACHINE_TOOL names no zubanet-machine";
  tool_ = tool;
}

int MachineToolTest::RunTool(const std::string& machine, const std::string& args) {
  return RunProgram("", tool_, machine, args);
}

int MachineToolTest::RunToolIn(const std::string& workingDirectory, const std::string& machine,
                               const std::string& args) {
  return RunProgram("cd '" + workingDirectory + "' && ", tool_, machine, args);
}

int MachineToolTest::RunToolUnprivileged(const std::string& machine, const std::string& args) {
  return RunProgram(UnprivilegedCommandPrefix(), tool_, machine, args);
}

int MachineToolTest::RunProgram(const std::string& before, const std::string& program,
                                const std::string& machine, const std::string& args) {
  const std::string out = scratch_.path() + "/out.txt", err = scratch_.path() + "/err.txt";
  const std::string command = before + "'" + program + "' --machine '" + machine + "' " + args +
                              " >'" + out + "' 2>'" + err + "'";
  const int status = std::system(command.c_str());
  out_ = ReadHostFile(out);
  err_ = ReadHostFile(err);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ZubaNetTest::SetUp() {
  MachineToolTest::SetUp();
  if (IsSkipped()) return;
  // CTest hands one environment variable to discovered tests reliably, so
  // the program is also found beside zubanet-machine, where the build puts it.
  const char* zubanet = std::getenv("ZUBA_ZUBANET");
  zubanet_ = zubanet && *zubanet ? zubanet : tool_.substr(0, tool_.rfind('/') + 1) + "zubanet";
  ASSERT_EQ(access(zubanet_.c_str(), X_OK), 0) << zubanet_ << " is no program";
}

int ZubaNetTest::RunZubaNet(const std::string& machine, const std::string& args) {
  return RunProgram("", zubanet_, machine, "--headless " + args);
}

}  // namespace zuba::testing
