// What a wait costs: WaitForProcess on a program that runs a second.
#include "actions/ExecUtil.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <ctime>
#include <fstream>
#include <sstream>

#include "testing/TempMachine.h"
#include "testing/RecordingShell.h"

namespace zuba::actions {
namespace {

double CpuSeconds() {
  timespec t;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

double WallSeconds() {
  timespec t;
  clock_gettime(CLOCK_REALTIME, &t);
  return t.tv_sec + t.tv_nsec / 1e9;
}

TEST(ExecUtilTest, WaitingForAProcessCostsLittleAndEndsAtOnce) {
  testing::TempMachine machine;
  const std::string program = machine.HostPath("drive_c/WAIT.EXE");
  std::ofstream(program) << "#!/bin/sh\nsleep 1\ndate +%s.%N > ended.txt\n";
  chmod(program.c_str(), 0755);
  testing::RecordingShell ui;

  const double cpu = CpuSeconds(), wall = WallSeconds();
  platform::ProcessHandle p =
      ExecCommand(machine.system(), machine.files(), "C:\\WAIT.EXE", "C:\\", kShowNormal);
  ASSERT_NE(p, 0u) << machine.system().LastError();
  WaitForProcess(machine.system(), ui, p);
  const double returned = WallSeconds();
  const double used = CpuSeconds() - cpu;
  CloseProcessHandle(machine.system(), p);

  double ended = 0;
  std::ifstream(machine.HostPath("drive_c/ended.txt")) >> ended;
  ASSERT_GT(ended, wall);
  EXPECT_LT(returned - ended, 0.050);         // noticed within 50 ms
  EXPECT_LT(used / (returned - wall), 0.05);  // under 5% of one core
  EXPECT_GT(ui.processMessagesCalls, 20);   // messages flowed all along
}

}  // namespace
}  // namespace zuba::actions
