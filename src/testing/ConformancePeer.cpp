#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "testing/ConformanceTarget.h"

namespace zuba::testing {

int PeerNumber() {
  const char* number = std::getenv("ZUBA_CONFORMANCE_PEER");
  return number ? std::atoi(number) : 0;
}

std::string CurrentTestName() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  return info ? std::string(info->test_suite_name()) + "." + info->name() : std::string();
}

}  // namespace zuba::testing
