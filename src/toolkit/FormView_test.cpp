#include "toolkit/FormView.h"
#include "toolkit/FormViews.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/ListBox.h"
#include "toolkit/Panel.h"
#include "toolkit/ScriptedUiServices.h"

namespace zuba::toolkit {
namespace {

// A front-end whose windows are numbers and whose every hook is logged.
class LoggingView : public FormView<int> {
 public:
  explicit LoggingView(toolkit::Form& form) : FormView(form) { Start(); }
  ~LoggingView() override { Stop(); }
  toolkit::Form* Form() const { return form_; }

  using FormView::KeepOnScreen;
  using FormView::Mouse;
  using FormView::DragMoved;
  using FormView::Dropped;

  std::vector<std::string> log;
  std::vector<Rect> areas{{0, 0, 640, 480}};
  bool shown = false;

 protected:
  int Create(Control& control, int) override {
    log.push_back("create " + control.Name());
    return ++made_;
  }
  void Destroy(Control& control, int) override { log.push_back("destroy " + control.Name()); }
  void Discard() override { log.push_back("discard"); }
  void Restack(Control& parent) override { log.push_back("restack " + parent.Name()); }
  void ApplyBounds(Control& c) override { Log("bounds", c); }
  void ApplyText(Control& c) override { Log("text", c); }
  void ApplyEnabled(Control& c) override { Log("enabled", c); }
  void ApplyShown(Control& c) override { Log("shown", c); }
  void ApplyCheck(Control& c) override { Log("check", c); }
  void ApplyItems(Control& c) override { Log("items", c); }
  void ApplySelection(Control& c) override { Log("selection", c); }
  void ApplyFocus(Control& c) override { Log("focus", c); }
  void ApplyFont(Control& c) override { Log("font", c); }
  void ApplyColor(Control& c) override { Log("color", c); }
  void ApplyRepaint(Control& c) override { Log("repaint", c); }
  void ApplyStyle(Control& c) override { Log("style", c); }
  void ModalEnded() override { log.push_back("modal ended"); }
  bool FormShown() const override { return shown; }
  void HideForm() override { shown = false; }
  void PrepareShow() override {}
  void ShowNative() override { shown = true; }
  void Activate() override { log.push_back("activate"); }
  Rect FrameAtModel() const override {
    return {form_->Left(), form_->Top(), form_->Width(), form_->Height()};
  }
  std::vector<Rect> WorkAreas() const override { return areas; }
  void TakePosition() override { log.push_back("take position"); }
  void ActionDone() override { log.push_back("done"); }
  void Browse(Control& c) override { Log("browse", c); }

 private:
  void Log(const char* what, Control& control) {
    if (logChanges) log.push_back(std::string(what) + " " + control.Name());
  }

 public:
  bool logChanges = false;

 private:
  int made_ = 0;
};

class FormViewTest : public ::testing::Test {
 protected:
  FormViewTest() {
    form.SetName("Form1");
    form.SetBounds(100, 100, 200, 150);
  }
  ScriptedUiServices ui;
  Application app{ui};
  Form& form = app.CreateForm<Form>();
  Panel& panel = form.Add<Panel>("Panel1");
  Button& button = panel.Add<Button>("Button1");
};

TEST_F(FormViewTest, OneWindowEachFollowsTheFormAndGoesWithIt) {
  LoggingView view(form);
  EXPECT_EQ(view.log, (std::vector<std::string>{"create Form1", "create Panel1",
                                                "create Button1", "restack Panel1",
                                                "restack Form1"}));
  EXPECT_EQ(view.FindNative("button1"), view.NativeOf(button));
  EXPECT_NE(view.NativeOf(button), 0);

  // Each change reaches its hook, for the control that changed.
  view.log.clear();
  view.logChanges = true;
  struct Case {
    std::function<void()> change;
    std::vector<std::string> logged;
  } cases[] = {
      {[&] { button.SetBounds(1, 2, 3, 4); }, {"bounds Button1"}},
      {[&] { button.SetCaption("OK"); }, {"text Button1"}},
      {[&] { panel.SetEnabled(false); }, {"enabled Panel1"}},
      {[&] { button.SetVisible(false); }, {"shown Button1"}},
  };
  for (auto& c : cases) {
    view.log.clear();
    c.change();
    EXPECT_EQ(view.log, c.logged);
  }

  // A control added later is built; one removed goes, its children first.
  view.log.clear();
  view.logChanges = false;
  auto& edit = panel.Add<Edit>("Edit1");
  EXPECT_EQ(view.log, (std::vector<std::string>{"create Edit1", "restack Panel1"}));
  view.log.clear();
  form.DestroyChild(panel);
  EXPECT_EQ(view.log, (std::vector<std::string>{"destroy Button1", "destroy Edit1",
                                                "destroy Panel1"}));
  EXPECT_EQ(view.FindNative("Button1"), 0);
  (void)edit;
}

TEST_F(FormViewTest, AFormThatGoesIsForgotten) {
  auto gone = std::make_unique<Form>(app);
  gone->Add<Button>("Button2");
  LoggingView view(*gone);
  view.log.clear();
  gone.reset();
  EXPECT_EQ(view.log, std::vector<std::string>{"discard"});
  EXPECT_EQ(view.FindNative("Button2"), 0);
}

TEST_F(FormViewTest, AShownFormIsPlacedWholeOnTheScreenOrCentred) {
  form.SetPosition(FormPosition::kDesigned);
  form.SetBounds(600, 400, 200, 150);  // overhangs the right and bottom edges
  LoggingView view(form);
  form.Show();
  EXPECT_TRUE(view.shown);
  EXPECT_EQ(form.Left(), 440);
  EXPECT_EQ(form.Top(), 330);

  Form& other = app.CreateForm<Form>();
  LoggingView centred(other);
  other.SetBounds(0, 0, 100, 80);
  other.SetPosition(FormPosition::kScreenCenter);
  other.Show();
  EXPECT_EQ(other.Left(), 270);
  EXPECT_EQ(other.Top(), 200);
}

TEST_F(FormViewTest, MouseInputBecomesTheModelsUserActions) {
  auto& list = form.Add<ListBox>("List1");
  list.AddItem("a");
  list.AddItem("b");
  auto& edit = form.Add<Edit>("Edit1");
  std::vector<std::string> events;
  button.SetOnClick([&](Component&) { events.push_back("click"); });
  edit.SetOnDragOver([](Component&, Component&, int, int, bool& accept) { accept = true; });
  edit.SetOnDragDrop([&](Component&, Component& source, int x, int y) {
    events.push_back("drop " + source.Name() + " " + std::to_string(x) + "," + std::to_string(y));
  });
  LoggingView view(form);
  using O = MouseOutcome;
  auto left = [](MouseStep step, bool inside = true) {
    MouseInput input;
    input.step = step;
    input.inside = inside;
    return input;
  };
  // A button is clicked where it is let go, not elsewhere.
  EXPECT_EQ(view.Mouse(button, left(MouseStep::kPress)), O::kPressed);
  EXPECT_EQ(view.Mouse(button, left(MouseStep::kRelease, false)), O::kReleased);
  EXPECT_EQ(view.Mouse(button, left(MouseStep::kPress)), O::kPressed);
  EXPECT_EQ(view.Mouse(button, left(MouseStep::kRelease)), O::kReleased);
  EXPECT_EQ(events, std::vector<std::string>{"click"});
  // An edit hears the press and leaves the caret to the native one.
  EXPECT_EQ(view.Mouse(edit, left(MouseStep::kPress)), O::kNative);
  EXPECT_TRUE(edit.Focused());
  // A list chooses the entry pressed; dragged past the threshold it drops.
  MouseInput press = left(MouseStep::kPress);
  press.row = 1;
  EXPECT_EQ(view.Mouse(list, press), O::kListPressed);
  EXPECT_EQ(list.ItemIndex(), 1);
  EXPECT_FALSE(view.DragMoved(2, 4));
  EXPECT_TRUE(view.DragMoved(5, 4));
  EXPECT_EQ(view.Mouse(list, left(MouseStep::kRelease)), O::kListReleased);
  view.Dropped(list, &edit, 3, 4);
  EXPECT_EQ(events.back(), "drop List1 3,4");
  // Not dragged: no drop.
  EXPECT_EQ(view.Mouse(list, press), O::kListPressed);
  view.Dropped(list, &edit, 3, 4);
  EXPECT_EQ(events.size(), 2u);
}

TEST_F(FormViewTest, EachVisibleFormHasOneViewUntilItGoes) {
  std::vector<std::unique_ptr<LoggingView>> buried;
  FormViews<LoggingView> views([](toolkit::Form& f) { return std::make_unique<LoggingView>(f); },
                               [&](std::unique_ptr<LoggingView> v) { buried.push_back(std::move(v)); });
  auto& hidden = app.CreateForm<toolkit::Form>();
  auto gone = std::make_unique<toolkit::Form>(app);
  views.Watch(app);
  views.RenderShownForms();
  EXPECT_TRUE(views.Views().empty());
  form.Show();
  gone->Show();
  views.RenderShownForms();
  ASSERT_EQ(views.Views().size(), 2u);
  EXPECT_EQ(&views.Render(form), views.ViewOf(form));
  EXPECT_EQ(views.ViewOf(hidden), nullptr);
  gone.reset();
  views.RenderShownForms();
  EXPECT_EQ(views.Views().size(), 1u);
  EXPECT_EQ(buried.size(), 1u);
}

}  // namespace
}  // namespace zuba::toolkit
