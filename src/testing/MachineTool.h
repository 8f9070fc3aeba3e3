// Runs the zubanet-machine binary that CTest names in ZUBA_MACHINE_TOOL, for
// the tests of its commands.
#ifndef ZUBA_TESTING_MACHINETOOL_H_
#define ZUBA_TESTING_MACHINETOOL_H_

#include <gtest/gtest.h>

#include <string>

#include "testing/TempMachine.h"

namespace zuba::testing {

// The whole content of a host file; empty when it cannot be read.
std::string ReadHostFile(const std::string& path);

// A fixture that skips its tests when ZUBA_MACHINE_TOOL is not set.
class MachineToolTest : public ::testing::Test {
 protected:
  void SetUp() override;

  // Runs `zubanet-machine --machine MACHINE ARGS` (ARGS as a shell would
  // split them) and keeps its standard output and error in out_ and err_.
  // Answers the exit code, or -1 when the tool did not exit normally.
  int RunTool(const std::string& machine, const std::string& args);
  // RunTool from the host directory `workingDirectory`, so that a relative
  // `machine` is taken relative to it.
  int RunToolIn(const std::string& workingDirectory, const std::string& machine,
                const std::string& args);

  TempDir scratch_;
  std::string tool_, out_, err_;

 private:
  // `before`: shell text run just before the tool, in the same command.
  int RunToolAfter(const std::string& before, const std::string& machine, const std::string& args);
};

}  // namespace zuba::testing

#endif  // ZUBA_TESTING_MACHINETOOL_H_
