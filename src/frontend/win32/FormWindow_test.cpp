// A form of every control kind, shown by the Windows front-end under Wine:
// the windows at the model's bounds, in step with the model, and the
// user's clicks and keys reaching the model's user actions.
#include "frontend/win32/FormWindow.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "testing/winui/WinTesting.h"
#include "frontend/win32/WinUiServices.h"
#include "testing/TestMachine.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/FileNameEdit.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Panel.h"
#include "toolkit/Picture.h"
#include "toolkit/RadioGroup.h"
#include "toolkit/StatusBar.h"

namespace zuba::winui {
namespace {

using namespace toolkit;
using wintest::ClassOf;
using wintest::PlaceInParent;
using wintest::PostChars;
using wintest::PostClick;
using wintest::PostKey;
using wintest::Settle;
using wintest::TextOf;

// A form with one control of every kind.
class EveryKind : public Form {
 public:
  explicit EveryKind(Application& app) : Form(app) {
    SetCaption("すべての部品");
    SetBorderStyle(BorderStyle::kSingle);
    SetClientSize(360, 260);
    SetPosition(FormPosition::kDefaultPosOnly);
    panel.SetBounds(4, 4, 170, 60);
    panel.SetBevels(Bevel::kLowered, Bevel::kRaised);
    panel.SetCaption("パネル");
    group.SetBounds(4, 70, 170, 60);
    group.SetCaption("グループ");
    inGroup.SetBounds(8, 20, 150, 20);
    radios.SetBounds(180, 4, 170, 60);
    radios.SetCaption("ラジオ");
    radios.SetItems({"一", "二"});
    radios.SetItemIndex(0);
    label.SetBounds(180, 70, 80, 12);
    label.SetCaption("ラベル");
    picture.SetBounds(270, 70, 32, 28);
    picture.SetImageName("ControlPanel");
    edit.SetBounds(4, 140, 120, 20);
    edit.SetColor(Rgb(128, 255, 255));
    fileEdit.SetBounds(130, 140, 120, 20);
    button.SetBounds(256, 136, 96, 28);
    button.SetCaption("設定(&S)");
    button.SetGlyph("Config");
    button.SetDefault(true);
    cancel.SetBounds(256, 168, 96, 28);
    cancel.SetCaption("取消");
    cancel.SetCancel(true);
    check.SetBounds(4, 168, 120, 20);
    check.SetCaption("チェック(&C)");
    combo.SetBounds(130, 168, 120, 20);
    combo.SetStyle(ComboStyle::kDropDownList);
    combo.SetItems({"甲", "乙", "丙"});
    combo.SetItemIndex(1);
    list.SetBounds(4, 192, 120, 44);
    list.SetItems({"192.168.0.1", "192.168.0.2"});
    status.SetSimpleText("ステータス");
    button.SetOnClick([this](Component&) { ++clicks; });
    cancel.SetOnClick([this](Component&) { ++cancels; });
    edit.SetHint("入力|長いヒント");
    edit.SetShowHint(true);
  }

  Panel& panel = Add<Panel>("Panel1");
  GroupBox& group = Add<GroupBox>("Group1");
  Edit& inGroup = group.Add<Edit>("InGroup");
  RadioGroup& radios = Add<RadioGroup>("Radios");
  Label& label = Add<Label>("Label1");
  Picture& picture = Add<Picture>("Picture1");
  Edit& edit = Add<Edit>("Edit1");
  FileNameEdit& fileEdit = Add<FileNameEdit>("File1");
  Button& button = Add<Button>("Button1");
  Button& cancel = Add<Button>("Cancel1");
  CheckBox& check = Add<CheckBox>("Check1");
  ComboBox& combo = Add<ComboBox>("Combo1");
  ListBox& list = Add<ListBox>("List1");
  StatusBar& status = Add<StatusBar>("Status1");
  int clicks = 0;
  int cancels = 0;
};

class FormWindowTest : public ::testing::Test {
 protected:
  FormWindowTest() {
    ui.Watch(app);
    form.Show();
    Settle(ui);
  }

  HWND Window(const char* name) {
    FormWindow* window = ui.WindowOf(form);
    HWND hwnd = window != nullptr ? window->FindWindowOf(name) : nullptr;
    EXPECT_NE(hwnd, nullptr) << name;
    return hwnd;
  }

  zuba::testing::TestMachine machine;
  WinUiServices ui{machine.files()};
  Application app{ui};
  EveryKind& form = app.CreateForm<EveryKind>();
};

bool SamePlace(HWND hwnd, const Control& control) {
  RECT at = PlaceInParent(hwnd);
  return at.left == control.Left() && at.top == control.Top() &&
         at.right - at.left == control.Width() && at.bottom - at.top == control.Height();
}

TEST_F(FormWindowTest, EveryControlIsAWindowOfItsKindAtTheModelsBounds) {
  FormWindow* window = ui.WindowOf(form);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(IsWindowVisible(window->Window()));
  RECT client;
  GetClientRect(window->Window(), &client);
  EXPECT_EQ(client.right, 360);
  EXPECT_EQ(client.bottom, 260);
  EXPECT_EQ(TextOf(window->Window()), "すべての部品");
  struct Expected {
    const char* name;
    const char* windowClass;
  };
  const Expected kinds[] = {
      {"Panel1", "ZubaNetPane"},   {"Group1", "ZubaNetPane"},  {"InGroup", "Edit"},
      {"Radios", "ZubaNetPane"},   {"Label1", "ZubaNetPane"},  {"Picture1", "ZubaNetPane"},
      {"Edit1", "Edit"},           {"File1", "Edit"},          {"Button1", "Button"},
      {"Check1", "Button"},        {"List1", "ListBox"},       {"Status1", "msctls_statusbar32"},
  };
  for (const Expected& kind : kinds) {
    HWND hwnd = Window(kind.name);
    const Control& control = *form.FindControl(kind.name);
    EXPECT_EQ(ClassOf(hwnd), kind.windowClass) << kind.name;
    EXPECT_TRUE(SamePlace(hwnd, control)) << kind.name;
    EXPECT_TRUE(IsWindowVisible(hwnd)) << kind.name;
  }
  // The radio group's buttons inside it; the status bar at the bottom.
  for (Control* radio : form.radios.Children()) {
    ASSERT_NE(ui.WindowOf(form)->WindowOf(*radio), nullptr);
    EXPECT_TRUE(SamePlace(ui.WindowOf(form)->WindowOf(*radio), *radio));
    EXPECT_EQ(GetParent(ui.WindowOf(form)->WindowOf(*radio)), Window("Radios"));
  }
  EXPECT_EQ(PlaceInParent(Window("Status1")).bottom, 260);
  // A drop-down list keeps the control's place and height for its field.
  HWND combo = Window("Combo1");
  RECT at = PlaceInParent(combo);
  EXPECT_EQ(at.left, 130);
  EXPECT_EQ(at.top, 168);
  EXPECT_EQ(at.right - at.left, 120);
  EXPECT_EQ(at.bottom - at.top, 20);
  EXPECT_EQ(ClassOf(combo), "ComboBox");
  EXPECT_TRUE(wintest::SaveScreenshot(window->Window(), "win32_every_kind"));
}

TEST_F(FormWindowTest, TheWindowsFollowTheModel) {
  EXPECT_EQ(TextOf(Window("Button1")), "設定(&S)");
  EXPECT_EQ(SendMessageA(Window("Combo1"), CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendMessageA(Window("List1"), LB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageA(Window("Check1"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  form.check.SetState(CheckState::kGrayed);
  EXPECT_EQ(SendMessageA(Window("Check1"), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
  form.edit.SetText("10.0.0.1");
  EXPECT_EQ(TextOf(Window("Edit1")), "10.0.0.1");
  form.combo.SetItemIndex(2);
  EXPECT_EQ(SendMessageA(Window("Combo1"), CB_GETCURSEL, 0, 0), 2);
  form.list.AddItem("10.1.1.1");
  EXPECT_EQ(SendMessageA(Window("List1"), LB_GETCOUNT, 0, 0), 3);
  form.button.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(Window("Button1")));
  form.group.SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(Window("Group1")));
  EXPECT_TRUE(IsWindowEnabled(Window("InGroup")));  // its own flag; the group's blocks it
  form.label.SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(Window("Label1")));
  form.panel.SetBounds(10, 10, 100, 40);
  EXPECT_TRUE(SamePlace(Window("Panel1"), form.panel));
}

TEST_F(FormWindowTest, ClicksAndKeysPostedToTheWindowsReachTheModel) {
  // A click on the edit focuses it in the model and on the screen; typing
  // at its end goes through the model's key presses.
  PostClick(ui, Window("Edit1"));
  EXPECT_TRUE(form.edit.Focused());
  EXPECT_EQ(GetFocus(), Window("Edit1"));
  PostChars(ui, Window("Edit1"), "192.168");
  EXPECT_EQ(form.edit.Text(), "192.168");
  EXPECT_EQ(TextOf(Window("Edit1")), "192.168");
  // Tab moves on in the model's tab order.
  PostKey(ui, Window("Edit1"), VK_TAB);
  EXPECT_TRUE(form.fileEdit.Focused());
  EXPECT_EQ(GetFocus(), Window("File1"));
  // Return presses the default button, Escape the cancel button.
  PostKey(ui, Window("File1"), VK_RETURN);
  EXPECT_EQ(form.clicks, 1);
  PostKey(ui, Window("File1"), VK_ESCAPE);
  EXPECT_EQ(form.cancels, 1);
  // Clicks on a check box, a button, a list entry; Down in a drop-down list.
  PostClick(ui, Window("Check1"));
  EXPECT_TRUE(form.check.Checked());
  EXPECT_EQ(SendMessageA(Window("Check1"), BM_GETCHECK, 0, 0), BST_CHECKED);
  PostClick(ui, Window("Button1"));
  EXPECT_EQ(form.clicks, 2);
  EXPECT_TRUE(form.button.Focused());
  PostClick(ui, Window("List1"), 10, 20);
  EXPECT_EQ(form.list.ItemIndex(), 1);
  EXPECT_EQ(SendMessageA(Window("List1"), LB_GETCURSEL, 0, 0), 1);
  PostClick(ui, Window("Combo1"));
  SendMessageA(Window("Combo1"), CB_SHOWDROPDOWN, FALSE, 0);
  Settle(ui);
  PostKey(ui, Window("Combo1"), VK_DOWN);
  EXPECT_EQ(form.combo.ItemIndex(), 2);
  EXPECT_EQ(SendMessageA(Window("Combo1"), CB_GETCURSEL, 0, 0), 2);
  // Alt and a marked letter click the button that marks it.
  PostMessageA(Window("List1"), WM_SYSKEYDOWN, 'C', 0x20000001);
  Settle(ui, 0);
  EXPECT_FALSE(form.check.Checked());
  // A disabled button takes no click.
  form.button.SetEnabled(false);
  PostClick(ui, Window("Button1"));
  EXPECT_EQ(form.clicks, 2);
}

TEST_F(FormWindowTest, HintsShowAsToolTipsWhileTheControlShowsThemAndGoToTheApplication) {
  auto tip = [&](const char* name) {
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = nullptr;
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(Window(name));
    info.hdr.code = TTN_NEEDTEXTA;
    SendMessageA(ui.WindowOf(form)->Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return std::string(info.lpszText != nullptr ? info.lpszText : "");
  };
  EXPECT_EQ(tip("Edit1"), "入力");
  EXPECT_EQ(tip("Button1"), "");  // no hint
  form.edit.SetShowHint(false);
  EXPECT_EQ(tip("Edit1"), "");
  // The mouse over the edit makes its long hint the application's.
  PostMessageA(Window("Edit1"), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  Settle(ui, 0);
  EXPECT_EQ(app.Hint(), "長いヒント");
}

TEST_F(FormWindowTest, TheCloseBoxGoesToTheModelAndAStoredPositionComesOntoTheScreen) {
  form.Hide();
  form.MoveTo(-2000, 5000);
  form.Show();
  Settle(ui);
  RECT frame;
  GetWindowRect(ui.WindowOf(form)->Window(), &frame);
  EXPECT_GE(frame.left, 0);
  EXPECT_LT(frame.top, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(form.Left(), frame.left);
  EXPECT_EQ(form.Top(), frame.top);
  // The close box closes the main form: the program ends.
  PostMessageA(ui.WindowOf(form)->Window(), WM_CLOSE, 0, 0);
  Settle(ui, 0);
  EXPECT_TRUE(app.Terminated());
}

}  // namespace
}  // namespace zuba::winui
