#include "switch/RestartDecision.h"

#include <gtest/gtest.h>

#include "actions/ExitWin32.h"
#include "platform/sim/MachineConfig.h"
#include "testing/TempMachine.h"

namespace zuba::switching {
namespace {

using Answer = RestartAnswer;

// One row of the decision table and one answer to the question.
struct Row {
  bool needed, opt5, opt2, noQuestion;
  bool asks;  // the table has the question here
};

const Row kTable[] = {
    {false, false, false, false, false}, {false, false, true, true, false},
    {false, true, false, false, false},  {false, true, false, true, false},
    {false, true, true, false, true},    {false, true, true, true, false},
    {true, false, false, false, false},  {true, false, true, true, false},
    {true, true, false, false, true},    {true, true, true, false, true},
    {true, true, false, true, false},    {true, true, true, true, false},
};

TEST(RestartDecisionTest, EveryRowOfTheTableWithEveryAnswerAndKeyState) {
  for (const Row& row : kTable) {
    for (Answer answer : {Answer::kYes, Answer::kNo, Answer::kCancel}) {
      for (bool powerOff : {false, true}) {
        for (bool windowsOnly : {false, true}) {
          RestartInputs inputs{row.needed, row.opt5,      row.opt2,
                               windowsOnly, row.noQuestion, powerOff};
          int asked = 0;
          ExitAction action = DecideExit(inputs, [&] {
            ++asked;
            return answer;
          });
          SCOPED_TRACE(::testing::Message()
                       << "needed " << row.needed << " opt5 " << row.opt5 << " opt2 " << row.opt2
                       << " /C " << row.noQuestion << " answer " << static_cast<int>(answer)
                       << " power-off " << powerOff << " opt4 " << windowsOnly);
          EXPECT_EQ(asked, row.asks ? 1 : 0);
          const bool restarts = row.needed || (row.opt5 && row.opt2);
          ExitAction expected = ExitAction::kEndProgram;
          if (restarts && !(row.asks && answer == Answer::kCancel)) {
            const bool off = powerOff || (row.asks && answer == Answer::kNo);
            expected = off           ? ExitAction::kPowerOff
                       : windowsOnly ? ExitAction::kRestartWindows
                                     : ExitAction::kReboot;
          }
          EXPECT_EQ(action, expected);
        }
      }
    }
  }
}

class PerformExitTest : public ::testing::Test {
 protected:
  std::string Pending() { return machine_.machine().config->Get("Power", "Pending"); }
  testing::TempMachine machine_;
};

TEST_F(PerformExitTest, EndsWindowsOnTheMachineAsDecided) {
  PerformExit(machine_.system(), ExitAction::kEndProgram);
  EXPECT_EQ(Pending(), "");
  PerformExit(machine_.system(), ExitAction::kRestartWindows);
  EXPECT_EQ(Pending(), "restart-windows");
  PerformExit(machine_.system(), ExitAction::kReboot);
  EXPECT_EQ(Pending(), "reboot");
  PerformExit(machine_.system(), ExitAction::kPowerOff);
  EXPECT_EQ(Pending(), "poweroff");
}

TEST_F(PerformExitTest, RefusedRequestRaisesTheExitError) {
  ASSERT_TRUE(machine_.machine().config->Set("Fail", "ExitWindowsEx", "5"));
  EXPECT_THROW(PerformExit(machine_.system(), ExitAction::kPowerOff), actions::EExitError);
  EXPECT_EQ(Pending(), "");
}

}  // namespace
}  // namespace zuba::switching
