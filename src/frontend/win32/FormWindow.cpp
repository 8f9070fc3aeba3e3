#include "frontend/win32/FormWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "frontend/win32/FormWindowStyles.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Cp932Text.h"
#include "toolkit/Edit.h"
#include "toolkit/Label.h"
#include "toolkit/ListBox.h"
#include "toolkit/Panel.h"
#include "toolkit/Picture.h"
#include "toolkit/RadioButton.h"
#include "toolkit/ScreenArea.h"
#include "toolkit/StatusBar.h"

namespace zuba::winui {

namespace {

using toolkit::Change;
using toolkit::Control;
using toolkit::ControlKind;

constexpr char kFormClass[] = "ZubaNetForm";
constexpr char kPaneClass[] = "ZubaNetPane";
constexpr int kProgramIcon = 1;  // resource/ZubaNetIcon.rc

}  // namespace

void FormWindow::RegisterClasses(HINSTANCE instance) {
  WNDCLASSEXA type{};
  type.cbSize = sizeof type;
  type.style = CS_DBLCLKS;
  type.lpfnWndProc = WindowProc;
  type.hInstance = instance;
  type.hCursor = LoadCursor(nullptr, IDC_ARROW);
  // The program's icon (resource 1): the large one for Alt+Tab, the small
  // one for the caption and the taskbar. A program without it (a test) has
  // the system's.
  type.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kProgramIcon));
  type.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(kProgramIcon),
                                               IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
  if (type.hIcon == nullptr) type.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  type.lpszClassName = kFormClass;
  RegisterClassExA(&type);
  type.hIcon = nullptr;
  type.hIconSm = nullptr;
  type.lpszClassName = kPaneClass;
  RegisterClassExA(&type);
}

FormWindow::FormWindow(toolkit::Form& form, WindowHost& host) : FormView(form), host_(host) {
  Start();
}

FormWindow::~FormWindow() {
  Stop();
  if (window_ != nullptr) DestroyWindow(window_);
  for (auto& [control, glyph] : browseGlyphs_) DeleteObject(glyph);
}

void FormWindow::Discard() {
  browseButtons_.clear();
  if (GetCapture() != nullptr && Contains(GetCapture())) ReleaseCapture();
  if (window_ != nullptr) {
    HWND window = window_;
    window_ = nullptr;
    DestroyWindow(window);
  }
}

bool FormWindow::Contains(HWND hwnd) const {
  for (HWND h = hwnd; h != nullptr; h = GetParent(h)) {
    if (h == window_) return true;
    if ((GetWindowLongA(h, GWL_STYLE) & WS_CHILD) == 0) return false;
  }
  return false;
}

// --- Building ----------------------------------------------------------------

void FormWindow::Created(Control& control, HWND hwnd) {
  if (control.Kind() == ControlKind::kForm) {
    tips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
  } else {
    AddTool(hwnd);
  }
}

HWND FormWindow::Create(Control& control, HWND parent) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  const char* type = kPaneClass;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD extended = 0;
  switch (control.Kind()) {
    case ControlKind::kForm: {
      // Hidden until the form shows; where the system chooses when it is
      // to place the window at its first show.
      bool system = SystemPlaces();
      return CreateWindowExA(0, kFormClass, control.Caption().c_str(),
                             WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                             system ? CW_USEDEFAULT : control.Left(),
                             system ? CW_USEDEFAULT : control.Top(), control.Width(),
                             control.Height(), host_.OwnerWindow(), nullptr, instance, this);
    }
    case ControlKind::kPanel:
    case ControlKind::kGroupBox:
    case ControlKind::kRadioGroup:
      style |= WS_CLIPCHILDREN;
      break;
    case ControlKind::kLabel:
    case ControlKind::kPicture:
      break;
    case ControlKind::kEdit:
    case ControlKind::kFileNameEdit:
      type = "EDIT";
      style |= ES_AUTOHSCROLL | WS_CLIPCHILDREN;
      extended = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kButton:
      type = "BUTTON";
      style |= BS_OWNERDRAW;
      break;
    case ControlKind::kCheckBox:
      type = "BUTTON";
      style |= CheckBoxStyle(static_cast<toolkit::CheckBox&>(control));
      break;
    case ControlKind::kRadioButton:
      type = "BUTTON";
      style |= BS_RADIOBUTTON;
      break;
    case ControlKind::kComboBox:
      type = "COMBOBOX";
      style |= WS_VSCROLL | ComboStyle(static_cast<toolkit::ComboBox&>(control));
      break;
    case ControlKind::kListBox:
      type = "LISTBOX";
      style |= ListStyle(static_cast<toolkit::ListBox&>(control));
      extended = WS_EX_CLIENTEDGE;
      break;
    case ControlKind::kStatusBar: {
      type = STATUSCLASSNAMEA;
      style |= CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
      if (static_cast<toolkit::StatusBar&>(control).SizeGrip()) style |= SBARS_SIZEGRIP;
      break;
    }
  }
  HWND hwnd = CreateWindowExA(extended, type, "", style, control.Left(), control.Top(),
                              std::max(control.Width(), 0), std::max(control.Height(), 0), parent,
                              nullptr, instance, this);
  if (hwnd == nullptr) return nullptr;
  if (control.Kind() == ControlKind::kStatusBar) SendMessageA(hwnd, SB_SIMPLE, TRUE, 0);
  if (control.Kind() == ControlKind::kFileNameEdit) {
    // The browse button sits inside the edit's frame, at its right end.
    RECT client;
    GetClientRect(hwnd, &client);
    HWND browse = CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_BITMAP,
                                  client.right - kBrowseWidth, 0, kBrowseWidth, client.bottom,
                                  hwnd, nullptr, instance, nullptr);
    browseButtons_[browse] = &control;
    SendMessageA(hwnd, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, kBrowseWidth + 1));
  }
  return hwnd;
}

void FormWindow::AddTool(HWND hwnd) {
  if (tips_ == nullptr) return;
  TOOLINFOA tool{};
  tool.cbSize = TTTOOLINFOA_V1_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
  tool.lpszText = LPSTR_TEXTCALLBACKA;
  SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void FormWindow::Restack(Control& parent) {
  // Windowed children on top of each other in the model's z-order; labels
  // and pictures, drawn on the parent in Windows, under all of them.
  for (Control* child : parent.ZOrder()) {
    HWND hwnd = child->IsWindowed() ? WindowOf(*child) : nullptr;
    if (hwnd != nullptr) {
      SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  const std::vector<Control*>& order = parent.ZOrder();
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    HWND hwnd = (*it)->IsWindowed() ? nullptr : WindowOf(**it);
    if (hwnd != nullptr) {
      SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
}

void FormWindow::Destroy(Control& control, HWND hwnd) {
  for (auto b = browseButtons_.begin(); b != browseButtons_.end();) {
    b = b->second == &control ? browseButtons_.erase(b) : std::next(b);
  }
  if (auto glyph = browseGlyphs_.find(&control); glyph != browseGlyphs_.end()) {
    DeleteObject(glyph->second);
    browseGlyphs_.erase(glyph);
  }
  if (tips_ != nullptr) {
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(hwnd);
    SendMessageA(tips_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
  }
  DestroyWindow(hwnd);
}

void FormWindow::Rebuild(Control& control) {
  Control* parent = control.Parent();
  HWND parentWindow = parent != nullptr ? WindowOf(*parent) : nullptr;
  if (parentWindow == nullptr) return;
  Unbuild(control);
  Build(control, parentWindow);
  Restack(*parent);
}

// --- The window procedure ----------------------------------------------------

LRESULT CALLBACK FormWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
    SetWindowLongA(hwnd, GWL_USERDATA, reinterpret_cast<LONG>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<FormWindow*>(GetWindowLongA(hwnd, GWL_USERDATA));
  if (self == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  return self->Handle(hwnd, message, wParam, lParam);
}

LRESULT FormWindow::Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    SetWindowLongA(hwnd, GWL_USERDATA, 0);
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  if (form_ == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_PAINT:
      Paint(hwnd);
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ColorFor(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
    case WM_DRAWITEM:
      DrawButton(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_NOTIFY:
      return Notify(*reinterpret_cast<NMHDR*>(lParam));
    case WM_COMMAND: {
      HWND child = reinterpret_cast<HWND>(lParam);
      Control* control = ControlFor(child);
      if (control == nullptr || applying_) return 0;
      if (HIWORD(wParam) == EN_CHANGE && (control->Kind() == ControlKind::kEdit ||
                                          control->Kind() == ControlKind::kFileNameEdit)) {
        Edited(*control, child);
      } else if (HIWORD(wParam) == CBN_SELENDOK && control->Kind() == ControlKind::kComboBox) {
        Chosen(*control, static_cast<int>(SendMessageA(child, CB_GETCURSEL, 0, 0)));
      }
      return 0;
    }
    case WM_MENUSELECT:
      host_.MenuSelected(wParam, lParam);
      return 0;
    default:
      break;
  }
  if (hwnd != window_) return DefWindowProcA(hwnd, message, wParam, lParam);
  switch (message) {
    case WM_CLOSE:
      form_->ClickCloseBox();
      Done();
      return 0;
    case WM_MOVE:
      if (!placing_ && IsWindowVisible(window_)) TakePosition();
      return 0;
    case WM_SIZE:
      if (!placing_ && wParam == SIZE_RESTORED &&
          form_->GetBorderStyle() == toolkit::BorderStyle::kSizeable &&
          (LOWORD(lParam) != form_->ClientWidth() || HIWORD(lParam) != form_->ClientHeight())) {
        form_->SetClientSize(LOWORD(lParam), HIWORD(lParam));
      }
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) {
        FocusFromModel();
        return 0;
      }
      break;
    case WM_SETFOCUS:
      FocusFromModel();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace zuba::winui
