#include "ui/qt/QtKeyState.h"

#include <gtest/gtest.h>

#include <QTest>

#include "system/ZubaUtil.h"
#include "testing/TempMachine.h"
#include "ui/qt/QtTesting.h"
#include "ui/qt/QtUiServices.h"
#include "ui/toolkit/Application.h"
#include "ui/toolkit/Button.h"

namespace zuba::qt {
namespace {

using namespace toolkit;

// A handler that asks whether Ctrl and Alt are down, as the apply flow
// does at a click, sees the keys held at the click on the display, and the
// machine's own held keys as well.
TEST(QtKeyStateTest, KeysHeldAtAClickReachTheHandlersQuery) {
  QApplication& qt = TestApplication();
  (void)qt;
  testing::TempMachine machine;
  QtUiServices ui(machine.files());
  Application app(ui);
  QtKeyState keys(machine.system());
  Form& form = app.CreateForm<Form>();
  form.SetClientSize(100, 40);
  Button& button = form.Add<Button>("BtApply");
  button.SetBounds(4, 4, 60, 25);
  std::vector<std::pair<bool, bool>> seen;  // Ctrl, Alt at each click
  button.SetOnClick([&](Component&) {
    seen.emplace_back(system::IsCtrlKeyDown(keys), system::IsAltKeyDown(keys));
  });
  form.Show();
  QWidget* widget = ui.Render(form).FindWidget("BtApply");

  QTest::mouseClick(widget, Qt::LeftButton, Qt::ControlModifier);
  QTest::mouseClick(widget, Qt::LeftButton);
  QTest::mouseClick(widget, Qt::LeftButton, Qt::ControlModifier | Qt::AltModifier);
  ASSERT_TRUE(machine.machine().config->Set("Keyboard", "Down", "Alt"));
  QTest::mouseClick(widget, Qt::LeftButton);
  std::vector<std::pair<bool, bool>> expected{
      {true, false}, {false, false}, {true, true}, {false, true}};
  EXPECT_EQ(seen, expected);
}

}  // namespace
}  // namespace zuba::qt
