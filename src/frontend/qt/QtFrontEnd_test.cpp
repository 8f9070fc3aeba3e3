#include "frontend/qt/QtFrontEnd.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "testing/TempMachine.h"

namespace zuba::qt {
namespace {

TEST(FrontEndTest, WithoutADisplayItSaysSoAndRunsNothing) {
  const char* names[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"};
  std::vector<std::pair<std::string, std::string>> saved;
  for (const char* name : names) {
    if (const char* value = std::getenv(name)) saved.emplace_back(name, value);
    unsetenv(name);
  }
  testing::TempMachine machine;
  std::ostringstream err;
  bool ran = false;
  int code = RunQtFrontEnd("zubanet", machine.files(), err, [&](toolkit::FrontEnd&) {
    ran = true;
    return 0;
  });
  setenv("QT_QPA_PLATFORM", "xcb", 1);  // X11 chosen, but no server named
  bool xcbWithoutServer = DisplayAvailable();
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  bool offscreen = DisplayAvailable();
  unsetenv("QT_QPA_PLATFORM");
  for (const auto& [name, value] : saved) setenv(name.c_str(), value.c_str(), 1);
  EXPECT_FALSE(xcbWithoutServer);
  EXPECT_TRUE(offscreen);
  EXPECT_FALSE(ran);
  EXPECT_NE(code, 0);
  EXPECT_NE(err.str().find("no display"), std::string::npos);
  EXPECT_NE(err.str().find("--headless"), std::string::npos);
}

}  // namespace
}  // namespace zuba::qt
