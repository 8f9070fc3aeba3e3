#include "app/MachineLocation.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "testing/TempMachine.h"

namespace zuba::app {
namespace {

bool Exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

TEST(MachineLocationTest, OnlyTheDefaultLocationIsCreated) {
  testing::TempDir dir;
  const std::string named = dir.path() + "/named";
  EXPECT_THROW(OpenMachine(LocateMachine(named)), platform::sim::MachineError);
  EXPECT_FALSE(Exists(named));

  setenv("XDG_DATA_HOME", dir.path().c_str(), 1);
  unsetenv("ZUBANET_MACHINE");
  MachineLocation location = LocateMachine("");
  EXPECT_TRUE(location.isDefault);
  EXPECT_EQ(location.directory, dir.path() + "/zubanet/machine");
  EXPECT_NE(OpenMachine(location), nullptr);
  EXPECT_TRUE(Exists(location.directory + "/machine.ini"));

  setenv("ZUBANET_MACHINE", named.c_str(), 1);
  location = LocateMachine("");
  EXPECT_FALSE(location.isDefault);
  EXPECT_EQ(location.directory, named);
  EXPECT_THROW(OpenMachine(location), platform::sim::MachineError);
  EXPECT_EQ(LocateMachine("/x").directory, "/x");
  unsetenv("ZUBANET_MACHINE");
  unsetenv("XDG_DATA_HOME");
}

// The machine's programs run in other directories and find the machine by
// the path they are handed, so a relative path is made absolute at once.
TEST(MachineLocationTest, ARelativePathIsMadeAbsolute) {
  testing::TempDir dir;
  char* previous = getcwd(nullptr, 0);
  ASSERT_EQ(chdir(dir.path().c_str()), 0);
  setenv("ZUBANET_MACHINE", "env/m", 1);
  const MachineLocation fromOption = LocateMachine("m"), fromEnvironment = LocateMachine("");
  unsetenv("ZUBANET_MACHINE");
  ASSERT_EQ(chdir(previous), 0);
  free(previous);
  EXPECT_EQ(fromOption.directory, dir.path() + "/m");
  EXPECT_EQ(fromEnvironment.directory, dir.path() + "/env/m");
}

}  // namespace
}  // namespace zuba::app
