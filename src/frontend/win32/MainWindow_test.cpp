// The program's main window shown by the Windows front-end under Wine: its
// controls as windows at the model's bounds in both modes, a user's clicks
// and keys sent to the real windows, and the pictures of the windows (in
// $ZUBA_SCREENSHOT_DIR) for people to look at.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "frontend/win32/WinApi.h"
#include "frontend/win32/WinHelpWindow.h"
#include "testing/winui/WinTesting.h"
#include "frontend/win32/WinUiServices.h"
#include "testing/TestMachine.h"
#include "testing/TwoSettings.h"
#include "toolkit/Application.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Cp932Text.h"
#include "toolkit/Edit.h"
#include "toolkit/ListBox.h"
#include "toolkit/StatusBar.h"
#include "ui/ZubaSel.h"
#include "ui/mainform.h"

namespace zuba::winui {
namespace {

using namespace toolkit;
using wintest::PlaceInParent;
using wintest::PostChars;
using wintest::PostClick;
using wintest::PostKey;
using wintest::SaveScreenshot;
using wintest::Settle;
using wintest::Soon;

// The CPU time of this process so far, in milliseconds.
double ProcessMilliseconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto ms = [](const FILETIME& t) {
    return ((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

struct Search {
  HWND found;
  HWND main;
  const char* windowClass;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  if (hwnd == search->main || !IsWindowVisible(hwnd)) return TRUE;
  if (wintest::ClassOf(hwnd) != search->windowClass) return TRUE;
  search->found = hwnd;
  return FALSE;
}

// A visible top-level window of this thread of the class `windowClass`
// other than the main window: a message box, a dialog, the open menu.
HWND OtherWindow(WinUiServices& ui, const ui::TForm1& form, const char* windowClass) {
  Search search{nullptr, ui.WindowOf(form)->Window(), windowClass};
  EnumThreadWindows(GetCurrentThreadId(), Visit, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    zuba::testing::SaveTwoSettings(machine.profiles(), machine.files(), machine.system());
    app.SetTitle("ZubaNet ベータ版");
    ui.Watch(app);
    double before = ProcessMilliseconds();
    form = &app.CreateForm<ui::TForm1>(machine.registry(), machine.files(), machine.profiles(),
                                       machine.system());
    form->Show();
    Settle(ui, 0);
    firstShow = ProcessMilliseconds() - before;
    Settle(ui);
  }

  HWND Window(const char* name) {
    HWND hwnd = ui.WindowOf(*form)->FindWindowOf(name);
    EXPECT_NE(hwnd, nullptr) << name;
    return hwnd;
  }

  // Every visible control whose window is not at its bounds, by name.
  std::string Misplaced(Control& parent) {
    std::string wrong;
    for (Control* control : parent.Children()) {
      HWND hwnd = ui.WindowOf(*form)->WindowOf(*control);
      if (hwnd == nullptr) {
        wrong += control->Name() + "(no window) ";
        continue;
      }
      if (static_cast<bool>(IsWindowVisible(hwnd)) != (control->Visible() && parent.Visible() &&
                                                        IsWindowVisible(GetParent(hwnd)))) {
        wrong += control->Name() + "(visibility) ";
      }
      RECT at = PlaceInParent(hwnd);
      if (at.left != control->Left() || at.top != control->Top() ||
          at.right - at.left != control->Width() || at.bottom - at.top != control->Height()) {
        wrong += control->Name() + " ";
      }
      wrong += Misplaced(*control);
    }
    return wrong;
  }

  zuba::testing::TestMachine machine;
  WinUiServices ui{machine.files()};
  Application app{ui};
  ui::TForm1* form = nullptr;
  double firstShow = 0;
};

TEST_F(MainWindowTest, ConfigEntersEditModeAGatewayJoinsItsListAndEscapeLeaves) {
  HWND window = ui.WindowOf(*form)->Window();
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 185);
  EXPECT_EQ(client.bottom, 57);
  EXPECT_EQ(Misplaced(*form), "");
  EXPECT_FALSE(IsWindowVisible(Window("Sb1")));
  // The program's icon in both sizes: Alt+Tab's, and the caption's and the
  // taskbar's.
  for (auto [index, size] : {std::pair{GCL_HICON, 32}, std::pair{GCL_HICONSM, 16}}) {
    HICON icon = reinterpret_cast<HICON>(GetClassLongA(window, index));
    ICONINFO info{};
    ASSERT_TRUE(icon != nullptr && GetIconInfo(icon, &info)) << index;
    BITMAP bitmap{};
    GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, size);
    EXPECT_NE(icon, LoadIcon(nullptr, IDI_APPLICATION));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
  }
  std::printf("first show of the main window: %.1f ms of process time\n", firstShow);

  // A click on Config: edit mode, the whole window, the status bar.
  PostClick(ui, Window("BtConfig"));
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 541);
  EXPECT_EQ(client.bottom, 382);
  EXPECT_TRUE(IsWindowVisible(Window("Sb1")));
  EXPECT_FALSE(IsWindowVisible(Window("PnOpr")));
  EXPECT_EQ(Misplaced(*form), "");
  EXPECT_EQ(GetFocus(), Window("EdNm"));
  // The mouse on the address field: its hint in the status bar.
  PostMessageA(Window("EdTip"), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
  Settle(ui, 0);
  EXPECT_EQ(form->Sb1.SimpleText(), "IPを xx.yy.zz.ww 形式で入力します");

  // A gateway typed into its field and entered with Return joins the list.
  PostClick(ui, Window("EdTgw"));
  EXPECT_TRUE(form->EdTgw.Focused());
  PostChars(ui, Window("EdTgw"), "10.0.0.254");
  PostKey(ui, Window("EdTgw"), VK_RETURN);
  EXPECT_NE(form->LbTgw.IndexOf("10.0.0.254"), -1);
  EXPECT_EQ(SendMessageA(Window("LbTgw"), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>("10.0.0.254")),
            form->LbTgw.IndexOf("10.0.0.254"));

  // Escape leaves edit mode; the program goes on.
  PostKey(ui, GetFocus(), VK_ESCAPE);
  EXPECT_TRUE(form->Visible());
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 185);
  EXPECT_FALSE(app.Terminated());
}

// A small window moved near the bottom right corner grows in edit mode: it
// stays whole inside the work area, its buttons within reach, and the model
// knows where it went.
TEST_F(MainWindowTest, TheWindowStaysInsideTheWorkAreaWhenItGrows) {
  RECT area;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
  HWND window = ui.WindowOf(*form)->Window();
  auto inside = [&](HWND hwnd) {
    RECT frame;
    GetWindowRect(hwnd, &frame);
    return frame.left >= area.left && frame.top >= area.top && frame.right <= area.right &&
           frame.bottom <= area.bottom;
  };
  form->Hide();
  form->MoveTo(area.right - 240, area.bottom - 110);
  form->Show();
  Settle(ui);
  EXPECT_TRUE(inside(window));
  PostClick(ui, Window("BtConfig"));
  EXPECT_TRUE(inside(window));
  for (const char* button : {"BbOk", "BbCan", "BtOpt"}) EXPECT_TRUE(inside(Window(button))) << button;
  RECT frame;
  GetWindowRect(window, &frame);
  EXPECT_EQ(form->Left(), frame.left);
  EXPECT_EQ(form->Top(), frame.top);
  // A stored position off the screen comes back onto it.
  form->Hide();
  form->MoveTo(area.right + 3000, area.top - 2000);
  form->Show();
  Settle(ui);
  EXPECT_TRUE(inside(window));
}

// F1 on a field, and a right click on a check box, show a help topic;
// Escape closes the help window, also once the user has clicked into it.
TEST_F(MainWindowTest, EscapeClosesTheHelpWindow) {
  char dir[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  const std::string help = std::string(dir) + "ZUBATEST.HLP";
  ASSERT_TRUE(machine.files().WriteBytes(
      help, "[Help]\r\nTitle=ZubaNet ヘルプ\r\n[34]\r\nTCP/IP の設定\r\n[35]\r\nDNS の設定\r\n"));
  app.SetHelpFile(help);
  PostClick(ui, Window("BtConfig"));
  PostClick(ui, Window("EdTip"));
  PostKey(ui, Window("EdTip"), VK_F1);
  ASSERT_NE(ui.Help(), nullptr);
  HWND shown = ui.Help()->Window();
  EXPECT_TRUE(IsWindowVisible(shown));
  PostKey(ui, GetFocus(), VK_ESCAPE);
  EXPECT_FALSE(IsWindowVisible(shown));

  wintest::PostRightClick(ui, Window("CbDde"), 4, 4);
  ASSERT_TRUE(IsWindowVisible(shown));
  HWND text = GetWindow(shown, GW_CHILD);
  PostClick(ui, text, 4, 4);
  PostKey(ui, text, VK_ESCAPE);
  EXPECT_FALSE(IsWindowVisible(shown));
  EXPECT_TRUE(IsWindowVisible(Window("Sb1")));  // the key went to the help alone: still edit mode
  machine.files().RemoveFile(help);
}

// The width `text` takes in the font of `hwnd`.
int TextWidth(HWND hwnd, const std::string& text) {
  HDC dc = GetDC(hwnd);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(hwnd, dc);
  return size.cx;
}

// Every check box whose caption wraps ("DHCPを使う") shows each of its
// words whole.
TEST_F(MainWindowTest, NoWordOfAWrappedCaptionIsCut) {
  PostClick(ui, Window("BtConfig"));
  for (int entry = 0; entry < 3; ++entry) {  // three gateways: the list's scroll bar
    form->EdTgw.Focus();
    form->EdTgw.TypeText("192.168.100.25" + std::to_string(entry) + "\r");
  }
  Settle(ui);
  EXPECT_TRUE(SaveScreenshot(ui.WindowOf(*form)->Window(), "win32_main_full"));
  std::function<void(Control&)> visit = [&](Control& parent) {
    for (Control* control : parent.Children()) {
      visit(*control);
      if (control->Kind() != ControlKind::kCheckBox) continue;
      if (!static_cast<CheckBox*>(control)->WordWrap()) continue;
      std::string words = UnbreakableWords(control->Caption());
      for (std::size_t start = 0; start < words.size();) {
        std::size_t end = words.find("\r\n", start);
        EXPECT_LE(TextWidth(Window(control->Name().c_str()), words.substr(start, end - start)),
                  control->Width() - 19)  // the box, its gap, the focus rectangle
            << control->Name() << ": " << words.substr(start, end - start);
        start = end + 2;
      }
    }
  };
  visit(*form);
}

// Three gateways and three DNS servers, the longest addresses there are:
// each list shows every entry whole beside its scroll bar.
TEST_F(MainWindowTest, EveryEntryOfAListIsShownWhole) {
  PostClick(ui, Window("BtConfig"));
  form->CbDde.SetChecked(true);
  // Without the entries of the setting recalled.
  form->LbTgw.ClearItems();
  form->LbDip.ClearItems();
  for (Edit* field : {&form->EdTgw, &form->EdDip}) {
    for (int last = 252; last <= 254; ++last) {
      field->Focus();
      field->TypeText("192.168.100." + std::to_string(last) + "\r");
    }
  }
  Settle(ui);
  EXPECT_TRUE(SaveScreenshot(ui.WindowOf(*form)->Window(), "win32_main_lists"));
  for (ListBox* list : {&form->LbTgw, &form->LbDip}) {
    ASSERT_EQ(list->ItemCount(), 3) << list->Name();
    HWND hwnd = Window(list->Name().c_str());
    RECT client;  // without the scroll bar where there is one
    GetClientRect(hwnd, &client);
    for (const std::string& item : list->Items()) {
      EXPECT_LE(TextWidth(hwnd, item), client.right - 2) << list->Name() << ": " << item;
    }
  }
}

TEST_F(MainWindowTest, PicturesOfBothModesTheWinsDialogTheOptionMenuAndAMessageBox) {
  HWND window = ui.WindowOf(*form)->Window();
  EXPECT_TRUE(SaveScreenshot(window, "win32_main_view"));

  // Edit mode, the setting "会社" being made, the mouse on the address.
  PostClick(ui, Window("BtConfig"));
  form->EdNm.EditText("会社");
  PostMessageA(Window("EdTip"), WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
  Settle(ui);
  EXPECT_TRUE(SaveScreenshot(window, "win32_main_edit"));

  // The WINS dialog, pictured and cancelled while it runs.
  bool winsSeen = false;
  Soon([&] {
    HWND wins = OtherWindow(ui, *form, "ZubaNetForm");
    winsSeen = wins != nullptr;
    if (wins == nullptr) return;
    EXPECT_TRUE(SaveScreenshot(wins, "win32_wins"));
    PostMessageA(wins, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(wins, WM_CLOSE, 0, 0);
  });
  PostClick(ui, Window("BtWins"));
  EXPECT_TRUE(winsSeen);

  // The option menu, pictured with the window behind it and closed.
  bool menuSeen = false;
  Soon([&] {
    HWND menu = OtherWindow(ui, *form, "#32768");
    menuSeen = menu != nullptr;
    if (menu != nullptr) {
      RECT area, popup;
      GetWindowRect(window, &area);
      GetWindowRect(menu, &popup);
      UnionRect(&area, &area, &popup);
      EXPECT_TRUE(wintest::SaveScreenshotOf(area, "win32_main_options"));
    }
    SendMessageA(window, WM_CANCELMODE, 0, 0);
  });
  PostClick(ui, Window("BtOpt"));
  EXPECT_TRUE(menuSeen);

  // A message box: the About box.
  bool boxSeen = false;
  Soon([&] {
    HWND box = OtherWindow(ui, *form, "#32770");
    boxSeen = box != nullptr;
    if (box == nullptr) return;
    EXPECT_TRUE(SaveScreenshot(box, "win32_about"));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  form->ZubaNet1.Click();
  EXPECT_TRUE(boxSeen);
}

TEST_F(MainWindowTest, PicturesOfTheBootMenuDialog) {
  auto& maker = app.CreateForm<ui::TfmZbSel>(machine.registry(), machine.files(),
                                             machine.profiles(), machine.system(), "");
  // The file dialog first (the old style: 8.3 names only), cancelled; the
  // warning that no autoexec.bat was chosen, answered; then the dialog
  // itself, closed with its close box.
  bool openSeen = false;
  bool warningSeen = false;
  bool dialogSeen = false;
  std::function<void()> next = [&] {
    HWND box = OtherWindow(ui, *form, "#32770");
    FormWindow* shown = ui.WindowOf(maker);
    if (box != nullptr && !openSeen) {
      openSeen = true;
      EXPECT_TRUE(SaveScreenshot(box, "win32_zubasel_open_dialog"));
      PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    } else if (box != nullptr) {
      warningSeen = true;
      EXPECT_TRUE(SaveScreenshot(shown != nullptr ? shown->Window() : box, "win32_zubasel_warning"));
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    } else if (shown != nullptr && IsWindowVisible(shown->Window())) {
      dialogSeen = true;
      EXPECT_TRUE(SaveScreenshot(shown->Window(), "win32_zubasel"));
      PostMessageA(shown->Window(), WM_CLOSE, 0, 0);
      return;
    }
    Soon(next, 400);
  };
  Soon(next, 400);
  maker.ShowModal();
  EXPECT_TRUE(openSeen);
  EXPECT_TRUE(warningSeen);
  EXPECT_TRUE(dialogSeen);
}

}  // namespace
}  // namespace zuba::winui
