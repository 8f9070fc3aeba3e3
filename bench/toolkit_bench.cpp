// The control model under the main window's load: building a form of 150
// controls, and a group check box switching a panel of 40 controls.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/ScriptedUiServices.h"
#include "ui/PanelEx.h"
#include "ui/TulGroupCheckBox.h"
#include "ui/ZbPanelEx.h"

namespace {

using namespace zuba::toolkit;
using zuba::ui::TPanelEx;
using zuba::ui::TTulGroupCheckBox;
using zuba::ui::TZbPanelEx;

// 150 controls: a group box with its panel of 40 (labels, edits, a list, a
// nested panel with its own group), and 108 others in 9 panels of 11 plus
// 9 buttons.
template <class GroupPanel>
TTulGroupCheckBox& BuildForm(Form& form) {
  auto& group = form.Add<TTulGroupCheckBox>("CbGroup");
  group.SetTag(100);
  Control& panel = form.Add<GroupPanel>("PnGroup");
  panel.SetTag(100);
  panel.SetEnabled(false);
  int made = 2;
  auto& inner = panel.Add<TPanelEx>("PnInner");
  auto& innerBox = inner.Add<TTulGroupCheckBox>("CbInner");
  innerBox.SetTag(110);
  for (int i = 0; i < 8; ++i) inner.Add<Edit>("EdInner" + std::to_string(i)).SetTag(110);
  made += 10;
  for (int i = 0; i < 10; ++i) {
    panel.Add<Label>("La" + std::to_string(i)).SetCaption("ラベル");
    panel.Add<Edit>("Ed" + std::to_string(i))
        .SetHint("値を入力後、リターンキーでリストに追加します");
    panel.Add<CheckBox>("Cb" + std::to_string(i));
  }
  made += 30;
  for (int p = 0; made < 150; ++p) {
    auto& other = form.Add<TPanelEx>("Pn" + std::to_string(p));
    ++made;
    for (int i = 0; i < 10 && made < 149; ++i, ++made) {
      if (i % 3 == 0) {
        other.Add<ComboBox>("Co" + std::to_string(p * 10 + i)).SetItems({"a", "b", "c"});
      } else if (i % 3 == 1) {
        other.Add<ListBox>("Lb" + std::to_string(p * 10 + i));
      } else {
        other.Add<Edit>("Ex" + std::to_string(p * 10 + i));
      }
    }
    if (made < 150) {
      form.Add<Button>("Bt" + std::to_string(p));
      ++made;
    }
  }
  return group;
}

void BM_BuildForm150(benchmark::State& state) {
  for (auto _ : state) {
    ScriptedUiServices ui;
    Application app(ui);
    Form& form = app.CreateForm<Form>();
    benchmark::DoNotOptimize(&BuildForm<TPanelEx>(form));
  }
}
BENCHMARK(BM_BuildForm150)->Unit(benchmark::kMicrosecond);

int CountBelow(const Control& control) {
  int count = 0;
  for (const Control* child : control.Children()) count += 1 + CountBelow(*child);
  return count;
}

// A stand-in for the renderer: it hears every change.
struct CountingObserver : ControlObserver {
  long changes = 0;
  void ControlChanged(Control&, Change) override { ++changes; }
};

template <class GroupPanel>
void BM_ToggleGroup40(benchmark::State& state) {
  ScriptedUiServices ui;
  Application app(ui);
  Form& form = app.CreateForm<Form>();
  TTulGroupCheckBox& group = BuildForm<GroupPanel>(form);
  CountingObserver observer;
  form.AddObserver(observer);
  Control* panel = form.FindControl("PnGroup");
  int switched = 0;
  for (auto _ : state) {
    group.Click();  // the user's click: enables or disables the 40
    switched += panel->Enabled() ? 1 : 0;
  }
  form.RemoveObserver(observer);
  state.counters["controls"] = CountBelow(form);
  state.counters["in_group"] = CountBelow(*panel);
  state.counters["enabled_share"] = static_cast<double>(switched) / state.iterations();
  state.counters["changes_per_click"] = static_cast<double>(observer.changes) / state.iterations();
}
BENCHMARK_TEMPLATE(BM_ToggleGroup40, TPanelEx)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_ToggleGroup40, TZbPanelEx)->Unit(benchmark::kMicrosecond);

}  // namespace
