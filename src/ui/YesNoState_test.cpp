#include "ui/YesNoState.h"

#include <gtest/gtest.h>

namespace zuba::ui {
namespace {

TEST(YesNoTest, ConvertsBetweenTextAndCheckStates) {
  using toolkit::CheckState;
  EXPECT_EQ(YesNoToCheckState("Yes"), CheckState::kChecked);
  EXPECT_EQ(YesNoToCheckState("yEs"), CheckState::kChecked);
  EXPECT_EQ(YesNoToCheckState("NO"), CheckState::kUnchecked);
  EXPECT_EQ(YesNoToCheckState("no"), CheckState::kUnchecked);
  EXPECT_EQ(YesNoToCheckState(""), CheckState::kGrayed);
  EXPECT_EQ(YesNoToCheckState("Yes "), CheckState::kGrayed);
  EXPECT_EQ(YesNoToCheckState("ＹＥＳ"), CheckState::kGrayed);
  EXPECT_EQ(CheckStateToYesNo(CheckState::kUnchecked), "No");
  EXPECT_EQ(CheckStateToYesNo(CheckState::kChecked), "Yes");
  EXPECT_EQ(CheckStateToYesNo(CheckState::kGrayed), "");
}

}  // namespace
}  // namespace zuba::ui
