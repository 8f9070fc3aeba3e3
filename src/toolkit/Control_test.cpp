#include "toolkit/Control.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "system/Errors.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/ScriptedUiServices.h"
#include "toolkit/StatusBar.h"

namespace zuba::toolkit {
namespace {

struct Recorder : ControlObserver {
  std::vector<std::pair<std::string, Change>> seen;
  void ControlChanged(Control& control, Change change) override {
    seen.emplace_back(control.Name(), change);
  }
  bool Saw(const std::string& name, Change change) const {
    for (const auto& s : seen) {
      if (s.first == name && s.second == change) return true;
    }
    return false;
  }
};

class ControlTest : public ::testing::Test {
 protected:
  ScriptedUiServices ui;
  Application app{ui};
  Form& form = app.CreateForm<Form>();
};

TEST_F(ControlTest, OwnFlagAndEffectiveStateAreKeptApart) {
  auto& outer = form.Add<Panel>("outer");
  auto& inner = outer.Add<Panel>("inner");
  auto& edit = inner.Add<Edit>("edit");
  outer.SetEnabled(false);
  EXPECT_TRUE(edit.Enabled());
  EXPECT_FALSE(edit.Usable());
  EXPECT_FALSE(edit.Click());
  EXPECT_FALSE(edit.TypeText("x"));
  EXPECT_EQ(edit.Text(), "");
  outer.SetEnabled(true);
  EXPECT_TRUE(edit.Usable());
  inner.Hide();
  EXPECT_TRUE(edit.Usable());
  EXPECT_FALSE(edit.Reachable());
  EXPECT_FALSE(edit.Focus());
}

TEST_F(ControlTest, ControlsTakeInputBeforeTheFormIsShown) {
  auto& edit = form.Add<Edit>("edit");
  ASSERT_FALSE(form.Visible());
  EXPECT_TRUE(edit.TypeText("ab"));
  EXPECT_EQ(edit.Text(), "ab");
  EXPECT_TRUE(edit.Focused());
}

TEST_F(ControlTest, SetEnabledNotifiesOnlyRealChanges) {
  struct Counting : Panel {
    int changes = 0;
    void EnabledChanged() override {
      Panel::EnabledChanged();
      ++changes;
    }
  };
  auto& panel = form.Add<Counting>("panel");
  panel.SetEnabled(true);
  EXPECT_EQ(panel.changes, 0);
  panel.SetEnabled(false);
  panel.SetEnabled(false);
  EXPECT_EQ(panel.changes, 1);
}

TEST_F(ControlTest, ObserverOnFormHearsEveryControlBelow) {
  Recorder recorder;
  form.AddObserver(recorder);
  auto& panel = form.Add<Panel>("panel");
  auto& box = panel.Add<CheckBox>("box");
  box.SetChecked(true);
  box.SetEnabled(false);
  box.SetCaption("c");
  box.SetBounds(1, 2, 3, 4);
  panel.Hide();
  EXPECT_TRUE(recorder.Saw("panel", Change::kChildAdded));
  EXPECT_TRUE(recorder.Saw("box", Change::kChildAdded));
  EXPECT_TRUE(recorder.Saw("box", Change::kChecked));
  EXPECT_TRUE(recorder.Saw("box", Change::kEnabled));
  EXPECT_TRUE(recorder.Saw("box", Change::kText));
  EXPECT_TRUE(recorder.Saw("box", Change::kBounds));
  EXPECT_TRUE(recorder.Saw("panel", Change::kVisible));
  recorder.seen.clear();
  EXPECT_TRUE(form.DestroyChild(panel));
  EXPECT_TRUE(recorder.Saw("panel", Change::kChildRemoved));
  EXPECT_TRUE(recorder.Saw("box", Change::kChildRemoved));
  form.RemoveObserver(recorder);
}

TEST_F(ControlTest, DestroyingTheFocusedControlClearsTheFocus) {
  auto& panel = form.Add<Panel>("panel");
  auto& edit = panel.Add<Edit>("edit");
  edit.SetFocus();
  ASSERT_EQ(form.ActiveControl(), &edit);
  form.DestroyChild(panel);
  EXPECT_EQ(form.ActiveControl(), nullptr);
  EXPECT_TRUE(form.Children().empty());
  EXPECT_FALSE(form.DestroyChild(form));
}

TEST_F(ControlTest, FreeNotificationTellsAListenerOnceAndBothSidesMayGoFirst) {
  struct Listener : Label {
    std::vector<Component*> removed;
    void Notification(Component& c, Operation op) override {
      Label::Notification(c, op);
      if (op == Operation::kRemove) removed.push_back(&c);
    }
  };
  auto& listener = form.Add<Listener>("listener");
  auto& first = form.Add<Edit>("first");
  auto& second = form.Add<Edit>("second");
  first.FreeNotification(listener);
  second.FreeNotification(listener);
  second.RemoveFreeNotification(listener);
  Component* firstAddress = &first;
  form.DestroyChild(first);
  form.DestroyChild(second);
  ASSERT_EQ(listener.removed.size(), 1u);
  EXPECT_EQ(listener.removed[0], firstAddress);
  auto& third = form.Add<Edit>("third");
  third.FreeNotification(listener);
  form.DestroyChild(listener);  // the listener goes first: no dangling call later
  form.DestroyChild(third);
}

TEST_F(ControlTest, SetFocusRefusesControlsThatCannotTakeIt) {
  auto& label = form.Add<Label>("label");
  auto& edit = form.Add<Edit>("edit");
  EXPECT_THROW(label.SetFocus(), system::Exception);
  edit.SetEnabled(false);
  EXPECT_THROW(edit.SetFocus(), system::Exception);
  EXPECT_THROW(form.SetActiveControl(&edit), system::Exception);
}

TEST_F(ControlTest, TabFollowsTabOrderThroughContainersAndSkipsWhatCannotFocus) {
  auto& a = form.Add<Edit>("a");
  auto& panel = form.Add<Panel>("panel");
  panel.Add<Edit>("b");
  auto& c = panel.Add<Edit>("c");
  auto& d = form.Add<Button>("d");
  auto& label = form.Add<Label>("label");
  (void)label;
  c.SetEnabled(false);
  d.SetTabOrder(0);  // d now comes before a
  EXPECT_EQ(d.TabOrder(), 0);
  EXPECT_EQ(a.TabOrder(), 1);
  form.Show();
  EXPECT_EQ(form.ActiveControl(), &d);  // first in tab order on show
  std::vector<std::string> order;
  for (int i = 0; i < 4; ++i) {
    form.PressKey(vk::kTab);
    order.push_back(form.ActiveControl()->Name());
  }
  EXPECT_EQ(order, (std::vector<std::string>{"a", "b", "d", "a"}));
  form.PressKey(vk::kTab, kShiftKey);
  EXPECT_EQ(form.ActiveControl(), &d);
}

TEST_F(ControlTest, EnterAndExitFollowTheFocusAndAnEnterHandlerMayMoveIt) {
  auto& first = form.Add<Edit>("first");
  auto& second = form.Add<Edit>("second");
  std::vector<std::string> events;
  first.SetOnExit([&](Component&) { events.push_back("exit first"); });
  second.SetOnEnter([&](Component&) {
    events.push_back("enter second");
    first.SetFocus();
  });
  first.SetOnEnter([&](Component&) { events.push_back("enter first"); });
  first.Focus();
  second.Focus();
  EXPECT_EQ(form.ActiveControl(), &first);
  EXPECT_EQ(events,
            (std::vector<std::string>{"enter first", "exit first", "enter second", "enter first"}));
}

TEST_F(ControlTest, FontAndColourComeFromTheParentUntilSetOwn) {
  Font bold = form.GetFont();
  bold.bold = true;
  auto& panel = form.Add<Panel>("panel");
  auto& label = panel.Add<Label>("label");
  auto& edit = panel.Add<Edit>("edit");
  EXPECT_EQ(form.GetFont().name, "ＭＳ Ｐゴシック");
  panel.SetFont(bold);
  EXPECT_TRUE(label.GetFont().bold);
  form.SetColor(kClRed);
  EXPECT_EQ(label.GetColor(), kClRed);
  EXPECT_EQ(edit.GetColor(), kClWindow);
}

TEST_F(ControlTest, StatusBarStaysAlongTheBottomOfTheClientArea) {
  form.SetBorderStyle(BorderStyle::kSingle);
  auto& bar = form.Add<StatusBar>("bar");
  form.SetClientSize(185, 57);
  EXPECT_EQ(form.ClientWidth(), 185);
  EXPECT_EQ(form.ClientHeight(), 57);
  EXPECT_EQ(bar.Bounds(), (Rect{0, 38, 185, 19}));
  form.SetClientSize(541, 382);
  EXPECT_EQ(bar.Bounds(), (Rect{0, 363, 541, 19}));
}

TEST_F(ControlTest, HoverSetsTheLongHintOfTheNearestHintAndSkipsTrailBytes) {
  std::vector<std::string> hints;
  app.SetOnHint([&](Component&) { hints.push_back(app.Hint()); });
  auto& panel = form.Add<Panel>("panel");
  auto& label = panel.Add<Label>("label");
  panel.SetHint("パネル");
  label.Hover();
  // "ポ" is 83 7C: its trail byte is no "|".
  auto& edit = form.Add<Edit>("edit");
  edit.SetHint("ポート|ポートを入力");
  edit.SetEnabled(false);
  EXPECT_TRUE(edit.Hover());
  EXPECT_EQ(GetShortHint(edit.Hint()), "ポート");
  EXPECT_EQ(hints, (std::vector<std::string>{"パネル", "ポートを入力"}));
}

}  // namespace
}  // namespace zuba::toolkit

namespace zuba::toolkit {
namespace {

// A check box created before the panel it overlaps is brought above it;
// the creation order the group widgets walk and the tab order stay.
TEST_F(ControlTest, BringToFrontChangesOnlyTheZOrder) {
  auto& box = form.Add<CheckBox>("CbGroup");
  auto& panel = form.Add<Panel>("PnGroup");
  auto& label = form.Add<Label>("LaNote");
  Recorder recorder;
  form.AddObserver(recorder);
  box.BringToFront();
  EXPECT_EQ(form.ZOrder(), (std::vector<Control*>{&panel, &label, &box}));
  EXPECT_EQ(form.Children(), (std::vector<Control*>{&box, &panel, &label}));
  EXPECT_EQ(box.TabOrder(), 0);
  EXPECT_TRUE(recorder.Saw("CbGroup", Change::kZOrder));
  recorder.seen.clear();
  box.BringToFront();  // already on top: nothing to tell
  EXPECT_TRUE(recorder.seen.empty());
  label.SendToBack();
  EXPECT_EQ(form.ZOrder(), (std::vector<Control*>{&label, &panel, &box}));
  form.DestroyChild(panel);
  EXPECT_EQ(form.ZOrder(), (std::vector<Control*>{&label, &box}));
  form.RemoveObserver(recorder);
}

}  // namespace
}  // namespace zuba::toolkit
