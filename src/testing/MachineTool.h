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
  // RunTool in a process that may not write what is read-only
  // (testing/Unprivileged.h).
  int RunToolUnprivileged(const std::string& machine, const std::string& args);

  // Runs `program --machine MACHINE ARGS` the same way (`before`: shell text
  // run just before it, in the same command).
  int RunProgram(const std::string& before, const std::string& program,
                 const std::string& machine, const std::string& args);

  TempDir scratch_;
  std::string tool_, out_, err_;
};

// A fixture for the tests of the program zubanet (ZUBA_ZUBANET, else the
// zubanet beside zubanet-machine) that also has zubanet-machine; it skips its
// tests without zubanet-machine and fails them without zubanet.
class ZubaNetTest : public MachineToolTest {
 protected:
  void SetUp() override;

  // Runs `zubanet --machine MACHINE --headless ARGS`; as RunTool.
  int RunZubaNet(const std::string& machine, const std::string& args);

  std::string zubanet_;
};

}  // namespace zuba::testing

#endif  // ZUBA_TESTING_MACHINETOOL_H_
