#include "ui/HeldKeysSystem.h"

#include <gtest/gtest.h>

#include "platform/sim/MachineConfig.h"
#include "system/ZubaUtil.h"
#include "testing/TempMachine.h"
#include "toolkit/Button.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::ui {
namespace {

TEST(HeldKeysSystemTest, KeysHeldDuringAUserActionAreDownForTheProgram) {
  testing::TempMachine machine;
  HeldKeysSystem system(machine.system());
  toolkit::ScriptedUiServices ui;
  toolkit::Application app(ui);
  system.Watch(app);
  toolkit::Form& form = app.CreateForm<toolkit::Form>();
  toolkit::Button& button = form.Add<toolkit::Button>("Apply");
  std::string seen;
  button.SetOnClick([&](toolkit::Component&) {
    seen += system::IsCtrlKeyDown(system) ? "C" : "-";
    seen += system::IsAltKeyDown(system) ? "A" : "-";
  });
  button.Click(toolkit::kCtrlKey);
  button.Click();
  button.Click(toolkit::kAltKey | toolkit::kShiftKey);
  // The machine's own keyboard still counts.
  machine.machine().config->Set("Keyboard", "Down", "Ctrl");
  button.Click();
  EXPECT_EQ(seen, "C----AC-");
  EXPECT_FALSE(system::IsAltKeyDown(system));  // outside any action
}

}  // namespace
}  // namespace zuba::ui
