#include "frontend/win32/FormWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "frontend/win32/WinGlyphs.h"
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
constexpr int kBrowseWidth = 18;  // the browse button inside a file-name edit
constexpr int kGroupCaptionLeft = 8;
// What a check box whose caption wraps keeps from its caption's lines: the
// box, the gap after it and a pixel each side for the focus rectangle.
constexpr int kWrappedCaptionInset = 19;

DWORD CheckBoxStyle(const toolkit::CheckBox& box) {
  DWORD style = BS_3STATE;
  if (box.WordWrap()) style |= BS_MULTILINE;
  if (box.CaptionSide() == toolkit::Alignment::kLeftJustify) style |= BS_LEFTTEXT;
  switch (box.CaptionPlacement()) {
    case toolkit::VerticalPlacement::kTop:
      style |= BS_TOP;
      break;
    case toolkit::VerticalPlacement::kBottom:
      style |= BS_BOTTOM;
      break;
    default:
      style |= BS_VCENTER;
      break;
  }
  return style;
}

DWORD ComboStyle(const toolkit::ComboBox& combo) {
  return combo.Style() == toolkit::ComboStyle::kDropDown ? CBS_DROPDOWN | CBS_AUTOHSCROLL
                                                         : CBS_DROPDOWNLIST;
}

DWORD ListStyle(const toolkit::ListBox& list) {
  return LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL |
         (list.MultiSelect() ? LBS_MULTIPLESEL : 0);
}

// Text drawn as Windows draws a disabled caption: etched, white below
// right, grey on top.
void EtchedText(HDC dc, const std::string& text, RECT rect, UINT flags) {
  int mode = SetBkMode(dc, TRANSPARENT);
  COLORREF ink = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
  RECT shadow = rect;
  OffsetRect(&shadow, 1, 1);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &shadow, flags);
  SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
  SetTextColor(dc, ink);
  SetBkMode(dc, mode);
}

void Caption(HDC dc, const std::string& text, RECT rect, UINT flags, bool enabled,
             COLORREF ink) {
  if (text.empty()) return;
  if (!enabled) {
    EtchedText(dc, text, rect, flags);
    return;
  }
  int mode = SetBkMode(dc, TRANSPARENT);
  COLORREF old = SetTextColor(dc, ink);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, flags);
  SetTextColor(dc, old);
  SetBkMode(dc, mode);
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF color) {
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, old);
  DeleteObject(pen);
}

// One bevel line just inside `rect`: light top and left, dark bottom and
// right for a raised one, the other way round for a lowered one.
void Bevel(HDC dc, const RECT& rect, toolkit::Bevel bevel) {
  if (bevel == toolkit::Bevel::kNone) return;
  COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
  COLORREF topLeft = bevel == toolkit::Bevel::kRaised ? light : dark;
  COLORREF bottomRight = bevel == toolkit::Bevel::kRaised ? dark : light;
  int r = rect.right - 1;
  int b = rect.bottom - 1;
  Line(dc, rect.left, rect.top, r, rect.top, topLeft);
  Line(dc, rect.left, rect.top, rect.left, b, topLeft);
  Line(dc, rect.left, b, r + 1, b, bottomRight);
  Line(dc, r, rect.top, r, b, bottomRight);
}

UINT HorizontalOf(toolkit::Alignment alignment) {
  switch (alignment) {
    case toolkit::Alignment::kRightJustify:
      return DT_RIGHT;
    case toolkit::Alignment::kCenter:
      return DT_CENTER;
    default:
      return DT_LEFT;
  }
}

}  // namespace

// Hears when the form goes: a form that goes tells no observer.
class FormWindow::Watch : public toolkit::Component {
 public:
  explicit Watch(FormWindow& window) : window_(window) {}

 protected:
  void Notification(toolkit::Component& component, toolkit::Operation operation) override {
    toolkit::Component::Notification(component, operation);
    if (operation == toolkit::Operation::kRemove && &component == window_.form_) {
      window_.FormGone();
    }
  }

 private:
  FormWindow& window_;
};

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

FormWindow::FormWindow(toolkit::Form& form, WindowHost& host)
    : form_(&form), host_(host), watch_(std::make_unique<Watch>(*this)) {
  form.FreeNotification(*watch_);
  Build(form, nullptr);
  form.AddObserver(*this);
}

FormWindow::~FormWindow() {
  if (form_ != nullptr) form_->RemoveObserver(*this);
  watch_.reset();
  if (window_ != nullptr) DestroyWindow(window_);
  for (auto& [control, glyph] : browseGlyphs_) DeleteObject(glyph);
}

void FormWindow::FormGone() {
  form_ = nullptr;
  windows_.clear();
  controls_.clear();
  browseButtons_.clear();
  pressed_ = nullptr;
  hovered_ = nullptr;
  dragSource_ = nullptr;
  if (GetCapture() != nullptr && Contains(GetCapture())) ReleaseCapture();
  if (window_ != nullptr) {
    HWND window = window_;
    window_ = nullptr;
    DestroyWindow(window);
  }
}

HWND FormWindow::WindowOf(const Control& control) const {
  auto it = windows_.find(&control);
  return it == windows_.end() ? nullptr : it->second;
}

HWND FormWindow::FindWindowOf(const std::string& name) const {
  if (form_ == nullptr) return nullptr;
  if (toolkit::SameTextNoCase(form_->Name(), name)) return window_;
  Control* control = form_->FindControl(name);
  return control == nullptr ? nullptr : WindowOf(*control);
}

bool FormWindow::Contains(HWND hwnd) const {
  for (HWND h = hwnd; h != nullptr; h = GetParent(h)) {
    if (h == window_) return true;
    if ((GetWindowLongA(h, GWL_STYLE) & WS_CHILD) == 0) return false;
  }
  return false;
}

// --- Building ----------------------------------------------------------------

void FormWindow::Build(Control& control, HWND parent) {
  if (windows_.count(&control) != 0) return;
  HWND hwnd = Create(control, parent);
  if (hwnd == nullptr) return;
  windows_[&control] = hwnd;
  controls_[hwnd] = &control;
  if (control.Kind() == ControlKind::kForm) {
    window_ = hwnd;
    tips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
  } else {
    AddTool(hwnd);
  }
  ApplyAll(control);
  for (Control* child : control.Children()) Build(*child, hwnd);
  if (!control.Children().empty()) Restack(control);
  if (control.Kind() == ControlKind::kForm) ApplyVisible(control);
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

void FormWindow::Unbuild(Control& control) {
  for (Control* child : control.Children()) Unbuild(*child);
  auto it = windows_.find(&control);
  if (it == windows_.end()) return;
  HWND hwnd = it->second;
  windows_.erase(it);
  controls_.erase(hwnd);
  for (auto b = browseButtons_.begin(); b != browseButtons_.end();) {
    b = b->second == &control ? browseButtons_.erase(b) : std::next(b);
  }
  if (auto glyph = browseGlyphs_.find(&control); glyph != browseGlyphs_.end()) {
    DeleteObject(glyph->second);
    browseGlyphs_.erase(glyph);
  }
  if (pressed_ == &control) pressed_ = nullptr;
  if (hovered_ == &control) hovered_ = nullptr;
  if (dragSource_ == &control) {
    dragSource_ = nullptr;
    dragging_ = false;
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

// --- Model to Windows --------------------------------------------------------

void FormWindow::ControlChanged(Control& control, Change change) {
  if (form_ == nullptr) return;
  switch (change) {
    case Change::kChildAdded:
      if (HWND parent = control.Parent() ? WindowOf(*control.Parent()) : nullptr) {
        Build(control, parent);
        Restack(*control.Parent());
      }
      return;
    case Change::kChildRemoved:
      Unbuild(control);
      return;
    case Change::kModalEnded:
      // Wakes the modal loop, which sees that the form's loop has ended.
      if (window_ != nullptr) PostMessageA(window_, WM_NULL, 0, 0);
      return;
    default:
      if (windows_.count(&control) != 0) Apply(control, change);
      return;
  }
}

void FormWindow::ApplyAll(Control& control) {
  ApplyStyle(control);
  ApplyFont(control);
  ApplyText(control);
  ApplyItems(control);
  ApplySelection(control);
  ApplyCheck(control);
  ApplyBounds(control);
  EnableWindow(WindowOf(control), control.Enabled());
  if (control.Kind() != ControlKind::kForm) ApplyVisible(control);
}

void FormWindow::Apply(Control& control, Change change) {
  HWND hwnd = WindowOf(control);
  switch (change) {
    case Change::kBounds:
      ApplyBounds(control);
      if (control.Kind() == ControlKind::kListBox) ApplyFont(control);
      break;
    case Change::kText:
      ApplyText(control);
      break;
    case Change::kEnabled:
      EnableWindow(hwnd, control.Enabled());
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case Change::kVisible:
      ApplyVisible(control);
      break;
    case Change::kChecked:
      ApplyCheck(control);
      break;
    case Change::kItems:
      ApplyItems(control);
      ApplySelection(control);
      if (control.Kind() == ControlKind::kListBox) ApplyFont(control);
      break;
    case Change::kItemIndex:
      ApplySelection(control);
      break;
    case Change::kFocus:
      ApplyFocus(control);
      break;
    case Change::kFont:
      ApplyFont(control);
      break;
    case Change::kColor:
    case Change::kRepaint:
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case Change::kStyle:
      ApplyStyle(control);
      if (control.Kind() == ControlKind::kForm) ApplyBounds(control);
      break;
    case Change::kZOrder:
      if (control.Parent() != nullptr) Restack(*control.Parent());
      break;
    default:
      break;  // hints are asked for when shown; tab order is the model's
  }
}

void FormWindow::ApplyBounds(Control& control) {
  HWND hwnd = WindowOf(control);
  if (control.Kind() == ControlKind::kForm) {
    // The model's client area inside the frame the system draws.
    const SIZE size = FrameSize();
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (SystemPlaces()) {
      flags |= SWP_NOMOVE;
    } else if (IsWindowVisible(hwnd)) {
      // A window that grows (edit mode) stays whole on the screen: the
      // model moves, and its change places the window.
      RECT now;
      GetWindowRect(hwnd, &now);
      if ((now.right - now.left != size.cx || now.bottom - now.top != size.cy) && KeepOnScreen()) {
        return;
      }
    }
    placing_ = true;
    SetWindowPos(hwnd, nullptr, form_->Left(), form_->Top(), size.cx, size.cy, flags);
    placing_ = false;
    return;
  }
  int height = std::max(control.Height(), 0);
  if (control.Kind() == ControlKind::kComboBox) {
    // The window of a drop-down list is its field; the height it is given
    // is the field's and the open list's together.
    auto& combo = static_cast<toolkit::ComboBox&>(control);
    int item = static_cast<int>(SendMessageA(hwnd, CB_GETITEMHEIGHT, 0, 0));
    int list = std::max(item, 1) * std::max(combo.DropDownCount(), 1) + 2;
    MoveWindow(hwnd, control.Left(), control.Top(), std::max(control.Width(), 0), height + list,
               TRUE);
    // The field takes the control's height: its text line grows or shrinks
    // by what the field is off, until it fits (Wine counts the line's
    // height other than Windows does).
    int line = static_cast<int>(SendMessageA(hwnd, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    for (int tries = 0; tries < 3; ++tries) {
      RECT field;
      GetWindowRect(hwnd, &field);
      int off = height - (field.bottom - field.top);
      if (off == 0 || line + off <= 0) break;
      line += off;
      SendMessageA(hwnd, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), line);
    }
    return;
  }
  MoveWindow(hwnd, control.Left(), control.Top(), std::max(control.Width(), 0), height, TRUE);
  if (control.Kind() == ControlKind::kFileNameEdit) {
    RECT client;
    GetClientRect(hwnd, &client);
    for (const auto& [browse, owner] : browseButtons_) {
      if (owner == &control) {
        MoveWindow(browse, client.right - kBrowseWidth, 0, kBrowseWidth, client.bottom, TRUE);
      }
    }
  }
}

void FormWindow::ApplyText(Control& control) {
  HWND hwnd = WindowOf(control);
  applying_ = true;
  switch (control.Kind()) {
    case ControlKind::kEdit:
    case ControlKind::kFileNameEdit: {
      std::string shown(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
      shown.resize(static_cast<std::size_t>(
          GetWindowTextA(hwnd, shown.data(), static_cast<int>(shown.size()))));
      if (control.Text() != shown) {
        SetWindowTextA(hwnd, control.Text().c_str());
        // Typing goes on at the end; a text set by program shows from its
        // start.
        int at = GetFocus() == hwnd || control.Focused() ? static_cast<int>(control.Text().size())
                                                          : 0;
        SendMessageA(hwnd, EM_SETSEL, at, at);
      }
      break;
    }
    case ControlKind::kComboBox:
      if (static_cast<toolkit::ComboBox&>(control).Style() == toolkit::ComboStyle::kDropDown) {
        SetWindowTextA(hwnd, control.Text().c_str());
      }
      break;
    case ControlKind::kStatusBar:
      SendMessageA(hwnd, SB_SETTEXTA, 255 | SBT_NOBORDERS,
                   reinterpret_cast<LPARAM>(
                       static_cast<toolkit::StatusBar&>(control).SimpleText().c_str()));
      break;
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
      SetWindowTextA(hwnd, control.Caption().c_str());
      ApplyFont(control);
      break;
    case ControlKind::kForm:
    case ControlKind::kButton:
      SetWindowTextA(hwnd, control.Caption().c_str());
      break;
    default:
      InvalidateRect(hwnd, nullptr, TRUE);  // painted from the model
      break;
  }
  applying_ = false;
}

void FormWindow::ApplyVisible(Control& control) {
  HWND hwnd = WindowOf(control);
  if (control.Kind() != ControlKind::kForm) {
    ShowWindow(hwnd, control.Visible() ? SW_SHOWNA : SW_HIDE);
    return;
  }
  if (control.Visible()) {
    ShowFormWindow();
  } else if (IsWindowVisible(hwnd)) {
    ShowWindow(hwnd, SW_HIDE);
  }
}

void FormWindow::ShowFormWindow() {
  if (IsWindowVisible(window_)) return;
  ApplyWindowStyle();
  bool systemPlaced = SystemPlaces();
  PlaceWindow();
  ShowWindow(window_, SW_SHOW);
  shownBefore_ = true;
  if (systemPlaced) TakePosition();  // the model learns where the system put it
  SetForegroundWindow(window_);
  FocusFromModel();
  UpdateWindow(window_);
}

bool FormWindow::SystemPlaces() const {
  // The system places a form of a default position the first time it
  // shows, unless the program has placed it.
  return !shownBefore_ && !form_->PositionSet() &&
         (form_->Position() == toolkit::FormPosition::kDefault ||
          form_->Position() == toolkit::FormPosition::kDefaultPosOnly);
}

namespace {

// The work area of the screen (less the task bar); Windows 95 has one.
toolkit::Rect WorkArea() {
  RECT area;
  if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
    area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return toolkit::Rect{area.left, area.top, area.right - area.left, area.bottom - area.top};
}

}  // namespace

SIZE FormWindow::FrameSize() const {
  RECT frame{0, 0, form_->ClientWidth(), form_->ClientHeight()};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(window_, GWL_EXSTYLE)));
  return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

void FormWindow::PlaceWindow() {
  if (form_->Position() == toolkit::FormPosition::kScreenCenter) {
    const SIZE size = FrameSize();
    const toolkit::Rect centred =
        toolkit::CenteredIn({form_->Left(), form_->Top(), size.cx, size.cy}, WorkArea());
    form_->SetBounds(centred.left, centred.top, form_->Width(), form_->Height());
  } else if (!SystemPlaces()) {
    KeepOnScreen();
  }
  if (form_ != nullptr) ApplyBounds(*form_);
}

bool FormWindow::KeepOnScreen() {
  // The window's own frame, which may be larger than the model's.
  const SIZE size = FrameSize();
  const toolkit::Rect frame{form_->Left(), form_->Top(), size.cx, size.cy};
  const toolkit::Rect kept = toolkit::KeepOnScreen(frame, {WorkArea()});
  if (kept == frame) return false;
  form_->SetBounds(kept.left, kept.top, form_->Width(), form_->Height());
  return true;
}

void FormWindow::TakePosition() {
  RECT frame;
  GetWindowRect(window_, &frame);
  form_->SetBounds(frame.left, frame.top, form_->Width(), form_->Height());
}

void FormWindow::ApplyWindowStyle() {
  using toolkit::BorderStyle;
  DWORD style = WS_CLIPCHILDREN | (GetWindowLongA(window_, GWL_STYLE) & WS_VISIBLE);
  DWORD extended = 0;
  switch (form_->GetBorderStyle()) {
    case BorderStyle::kNone:
      style |= WS_POPUP;
      break;
    case BorderStyle::kSingle:
      style |= WS_CAPTION | WS_BORDER;
      break;
    case BorderStyle::kDialog:
      style |= WS_CAPTION | WS_DLGFRAME;
      extended |= WS_EX_DLGMODALFRAME;
      break;
    case BorderStyle::kToolWindow:
      style |= WS_CAPTION;
      extended |= WS_EX_TOOLWINDOW;
      break;
    case BorderStyle::kSizeable:
      style |= WS_CAPTION | WS_THICKFRAME;
      break;
  }
  unsigned icons = form_->BorderIcons();
  if (form_->GetBorderStyle() != BorderStyle::kNone && (icons & toolkit::kBiSystemMenu)) {
    style |= WS_SYSMENU;
    bool dialog = form_->GetBorderStyle() == BorderStyle::kDialog ||
                  form_->GetBorderStyle() == BorderStyle::kToolWindow;
    if (!dialog && (icons & toolkit::kBiMinimize)) style |= WS_MINIMIZEBOX;
    if (!dialog && (icons & toolkit::kBiMaximize)) {
      style |= WS_MAXIMIZEBOX;
      // A window that cannot be resized shows its maximize box disabled.
      if (form_->GetBorderStyle() != BorderStyle::kSizeable) style |= WS_MINIMIZEBOX;
    }
  }
  if (static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE)) == style &&
      static_cast<DWORD>(GetWindowLongA(window_, GWL_EXSTYLE)) == extended) {
    return;
  }
  SetWindowLongA(window_, GWL_STYLE, static_cast<LONG>(style));
  SetWindowLongA(window_, GWL_EXSTYLE, static_cast<LONG>(extended));
  if (form_->GetBorderStyle() != BorderStyle::kSizeable && (style & WS_MAXIMIZEBOX)) {
    // The frame cannot be resized: the maximize box stays, greyed.
    SetWindowLongA(window_, GWL_STYLE, static_cast<LONG>(style & ~WS_MAXIMIZEBOX));
    SetWindowLongA(window_, GWL_STYLE, static_cast<LONG>(style));
  }
  SetWindowPos(window_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void FormWindow::ApplyCheck(Control& control) {
  HWND hwnd = WindowOf(control);
  if (control.Kind() == ControlKind::kCheckBox) {
    auto state = static_cast<toolkit::CheckBox&>(control).State();
    SendMessageA(hwnd, BM_SETCHECK,
                 state == toolkit::CheckState::kChecked  ? BST_CHECKED
                 : state == toolkit::CheckState::kGrayed ? BST_INDETERMINATE
                                                         : BST_UNCHECKED,
                 0);
  } else if (control.Kind() == ControlKind::kRadioButton) {
    SendMessageA(hwnd, BM_SETCHECK,
                 static_cast<toolkit::RadioButton&>(control).Checked() ? BST_CHECKED
                                                                       : BST_UNCHECKED,
                 0);
  }
}

void FormWindow::ApplyItems(Control& control) {
  bool combo = control.Kind() == ControlKind::kComboBox;
  if (!combo && control.Kind() != ControlKind::kListBox) return;
  HWND hwnd = WindowOf(control);
  applying_ = true;
  SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
  SendMessageA(hwnd, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
  for (const std::string& item : static_cast<toolkit::ListControl&>(control).Items()) {
    SendMessageA(hwnd, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(item.c_str()));
  }
  SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(hwnd, nullptr, TRUE);
  if (combo) ApplyText(control);
  applying_ = false;
}

void FormWindow::ApplySelection(Control& control) {
  HWND hwnd = WindowOf(control);
  if (control.Kind() == ControlKind::kComboBox) {
    auto& combo = static_cast<toolkit::ComboBox&>(control);
    applying_ = true;
    SendMessageA(hwnd, CB_SETCURSEL, static_cast<WPARAM>(combo.ItemIndex()), 0);
    if (combo.Style() == toolkit::ComboStyle::kDropDown) SetWindowTextA(hwnd, combo.Text().c_str());
    applying_ = false;
  } else if (control.Kind() == ControlKind::kListBox) {
    auto& list = static_cast<toolkit::ListBox&>(control);
    if (list.MultiSelect()) {
      for (int i = 0; i < list.ItemCount(); ++i) {
        SendMessageA(hwnd, LB_SETSEL, list.Selected(i), i);
      }
      if (list.ItemIndex() >= 0) SendMessageA(hwnd, LB_SETCARETINDEX, list.ItemIndex(), FALSE);
    } else {
      SendMessageA(hwnd, LB_SETCURSEL, static_cast<WPARAM>(list.ItemIndex()), 0);
    }
  }
}

void FormWindow::ApplyFocus(Control& control) {
  if (!control.Focused()) return;
  HWND hwnd = WindowOf(control);
  // A window that is not the active one takes the focus when it is next
  // activated (FocusFromModel).
  if (hwnd != nullptr && GetFocus() != hwnd && GetActiveWindow() == window_) SetFocus(hwnd);
}

void FormWindow::FocusFromModel() {
  Control* active = form_->ActiveControl();
  HWND hwnd = active != nullptr ? WindowOf(*active) : window_;
  if (hwnd != nullptr && GetFocus() != hwnd) SetFocus(hwnd);
}

void FormWindow::ApplyFont(Control& control) {
  HWND hwnd = WindowOf(control);
  HFONT font = host_.Gdi().Font(control.GetFont());
  bool box = control.Kind() == ControlKind::kCheckBox || control.Kind() == ControlKind::kRadioButton;
  bool wraps = control.Kind() == ControlKind::kCheckBox &&
               static_cast<toolkit::CheckBox&>(control).WordWrap();
  if (box) {
    // A caption beside its box, narrowed to fit: one line as it is; a
    // caption that wraps breaks at blanks and between double-byte
    // characters, so each word of single-byte characters ("DHCP") must fit.
    font = wraps ? host_.Gdi().FittingFont(control.GetFont(),
                                           toolkit::UnbreakableWords(control.Caption()),
                                           control.Width() - kWrappedCaptionInset)
                 : host_.Gdi().FittingFont(control.GetFont(), control.Caption(),
                                           control.Width() - 17);
  } else if (control.Kind() == ControlKind::kListBox) {
    // Every entry whole beside the scroll bar, at the list's bounds.
    const int edge = GetSystemMetrics(SM_CXEDGE);
    font = host_.Gdi().FittingListFont(
        control.GetFont(), static_cast<toolkit::ListControl&>(control).Items(),
        SIZE{control.Width() - 2 * edge, control.Height() - 2 * edge});
    if (reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0)) == font) return;
  }
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  if (control.Kind() == ControlKind::kComboBox) ApplyBounds(control);  // the field's height
}

void FormWindow::ApplyStyle(Control& control) {
  HWND hwnd = WindowOf(control);
  switch (control.Kind()) {
    case ControlKind::kForm:
      if (window_ != nullptr) ApplyWindowStyle();
      break;
    case ControlKind::kEdit:
    case ControlKind::kFileNameEdit: {
      auto& edit = static_cast<toolkit::Edit&>(control);
      SendMessageA(hwnd, EM_SETREADONLY, edit.ReadOnly(), 0);
      SendMessageA(hwnd, EM_LIMITTEXT, edit.MaxLength(), 0);
      if (control.Kind() == ControlKind::kFileNameEdit && browseGlyphs_.count(&control) == 0) {
        HBITMAP glyph = GlyphBitmap("Browse", true, GetSysColor(COLOR_BTNFACE));
        browseGlyphs_[&control] = glyph;
        for (const auto& [browse, owner] : browseButtons_) {
          if (owner == &control) {
            SendMessageA(browse, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(glyph));
          }
        }
      }
      break;
    }
    case ControlKind::kCheckBox: {
      DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
      DWORD wanted = (style & ~(BS_TYPEMASK | BS_MULTILINE | BS_LEFTTEXT | BS_VCENTER)) |
                     CheckBoxStyle(static_cast<toolkit::CheckBox&>(control));
      if (wanted != style) {
        SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(wanted));
        InvalidateRect(hwnd, nullptr, TRUE);
      }
      break;
    }
    case ControlKind::kComboBox: {
      DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & (CBS_DROPDOWN | CBS_DROPDOWNLIST);
      if (style != (ComboStyle(static_cast<toolkit::ComboBox&>(control)) & 3)) Rebuild(control);
      break;
    }
    case ControlKind::kListBox: {
      DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)) & LBS_MULTIPLESEL;
      if (style != (ListStyle(static_cast<toolkit::ListBox&>(control)) & LBS_MULTIPLESEL)) {
        Rebuild(control);
      }
      break;
    }
    case ControlKind::kStatusBar: {
      DWORD style = static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE));
      DWORD wanted = static_cast<toolkit::StatusBar&>(control).SizeGrip() ? style | SBARS_SIZEGRIP
                                                                           : style & ~SBARS_SIZEGRIP;
      if (wanted != style) {
        SetWindowLongA(hwnd, GWL_STYLE, static_cast<LONG>(wanted));
        InvalidateRect(hwnd, nullptr, TRUE);
      }
      break;
    }
    default:
      InvalidateRect(hwnd, nullptr, TRUE);  // painted from the model
      break;
  }
}

// --- Painting ----------------------------------------------------------------

void FormWindow::Paint(HWND hwnd) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd, &paint);
  auto it = controls_.find(hwnd);
  if (it != controls_.end() && form_ != nullptr) {
    RECT rect;
    GetClientRect(hwnd, &rect);
    PaintPane(*it->second, dc, rect);
  }
  EndPaint(hwnd, &paint);
}

void FormWindow::PaintPane(Control& control, HDC dc, const RECT& rect) {
  GdiCache& gdi = host_.Gdi();
  bool transparentLabel = control.Kind() == ControlKind::kLabel &&
                          static_cast<toolkit::Label&>(control).Transparent();
  toolkit::Color back = transparentLabel && control.Parent() != nullptr
                            ? control.Parent()->GetColor()
                            : control.GetColor();
  FillRect(dc, &rect, gdi.Brush(back));
  if (control.Kind() == ControlKind::kForm) return;
  // A one-line caption narrowed to fit its place.
  auto fitting = [&](int width) {
    const std::string& caption = control.Caption();
    bool oneLine = caption.find('\r') == std::string::npos && caption.find('\n') == std::string::npos;
    return oneLine ? gdi.FittingFont(control.GetFont(), caption, width) : gdi.Font(control.GetFont());
  };
  int room = rect.right - rect.left;
  if (control.Kind() == ControlKind::kGroupBox || control.Kind() == ControlKind::kRadioGroup) {
    room -= 2 * kGroupCaptionLeft;
  } else if (control.Kind() == ControlKind::kPanel) {
    room -= 6;
  }
  bool wraps = control.Kind() == ControlKind::kLabel &&
               static_cast<toolkit::Label&>(control).WordWrap();
  HGDIOBJ oldFont = SelectObject(dc, wraps ? gdi.Font(control.GetFont()) : fitting(room));
  COLORREF ink = ColorRefOf(control.GetFont().color);
  bool enabled = control.Enabled();
  switch (control.Kind()) {
    case ControlKind::kLabel: {
      auto& label = static_cast<toolkit::Label&>(control);
      UINT flags = HorizontalOf(label.GetAlignment()) | DT_TOP | DT_EXPANDTABS |
                   (label.WordWrap() ? DT_WORDBREAK : 0);
      Caption(dc, control.Caption(), rect, flags, enabled, ink);
      break;
    }
    case ControlKind::kPanel: {
      auto& panel = static_cast<toolkit::Panel&>(control);
      RECT inside = rect;
      Bevel(dc, inside, panel.BevelOuter());
      if (panel.BevelOuter() != toolkit::Bevel::kNone) InflateRect(&inside, -1, -1);
      Bevel(dc, inside, panel.BevelInner());
      if (panel.BevelInner() != toolkit::Bevel::kNone) InflateRect(&inside, -1, -1);
      InflateRect(&inside, -1, 0);
      Caption(dc, control.Caption(), inside,
              HorizontalOf(panel.GetAlignment()) | DT_VCENTER | DT_SINGLELINE, enabled, ink);
      break;
    }
    case ControlKind::kGroupBox:
    case ControlKind::kRadioGroup: {
      TEXTMETRICA metrics;
      GetTextMetricsA(dc, &metrics);
      RECT frame = rect;
      frame.top = metrics.tmHeight / 2;
      DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
      if (control.Caption().empty()) break;
      // The frame stops either side of the caption.
      RECT text{kGroupCaptionLeft + 1, 0, rect.right - kGroupCaptionLeft, metrics.tmHeight};
      RECT measured = text;
      DrawTextA(dc, control.Caption().c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
      RECT gap{kGroupCaptionLeft, 0, std::min(measured.right, text.right) + 1, metrics.tmHeight};
      FillRect(dc, &gap, gdi.Brush(back));
      Caption(dc, control.Caption(), text, DT_LEFT | DT_SINGLELINE | DT_VCENTER, enabled, ink);
      break;
    }
    case ControlKind::kPicture: {
      auto& picture = static_cast<toolkit::Picture&>(control);
      SIZE size;
      if (!GlyphSize(picture.ImageName(), &size)) break;
      COLORREF background = ColorRefOf(back);
      if (picture.Stretch()) {
        DrawGlyph(dc, picture.ImageName(), true, background, 0, 0, rect.right, rect.bottom);
      } else if (picture.Center()) {
        DrawGlyph(dc, picture.ImageName(), true, background, (rect.right - size.cx) / 2,
                  (rect.bottom - size.cy) / 2);
      } else {
        DrawGlyph(dc, picture.ImageName(), true, background, 0, 0);
      }
      break;
    }
    default:
      break;
  }
  SelectObject(dc, oldFont);
}

void FormWindow::DrawButton(const DRAWITEMSTRUCT& item) {
  auto it = controls_.find(item.hwndItem);
  if (it == controls_.end() || it->second->Kind() != ControlKind::kButton) return;
  auto& button = static_cast<toolkit::Button&>(*it->second);
  HDC dc = item.hDC;
  RECT rect = item.rcItem;
  GdiCache& gdi = host_.Gdi();
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool focused = (item.itemState & ODS_FOCUS) != 0;
  const bool enabled = button.Enabled();
  FillRect(dc, &rect, gdi.Brush(button.GetColor()));
  // The default button, and a focused one, wear a black frame outside
  // the bevel.
  if (button.Default() || focused) {
    FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&rect, -1, -1);
  }
  if (pressed) {
    FrameRect(dc, &rect, GetSysColorBrush(COLOR_BTNSHADOW));
  } else {
    DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
    FillRect(dc, &rect, gdi.Brush(button.GetColor()));
  }
  rect = item.rcItem;
  InflateRect(&rect, -4, -4);
  const int shift = pressed ? 1 : 0;
  const std::string& caption = button.Caption();
  SIZE glyph{0, 0};
  const bool hasGlyph = GlyphSize(button.Glyph(), &glyph);
  bool above = button.Layout() == toolkit::GlyphLayout::kTop ||
               button.Layout() == toolkit::GlyphLayout::kBottom;
  int room = rect.right - rect.left;
  if (hasGlyph && !above) room -= glyph.cx + 4;
  HGDIOBJ oldFont = SelectObject(dc, gdi.FittingFont(button.GetFont(), caption, room));
  RECT measured{0, 0, 0, 0};
  if (!caption.empty()) {
    DrawTextA(dc, caption.c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
  }
  int spacing = hasGlyph && !caption.empty() ? 4 : 0;
  int textWidth = std::min<int>(measured.right, rect.right - rect.left - glyph.cx - spacing);
  int textHeight = measured.bottom;
  COLORREF face = ColorRefOf(button.GetColor());
  RECT text = rect;
  if (above) {
    int top = rect.top + (rect.bottom - rect.top - glyph.cy - spacing - textHeight) / 2;
    if (hasGlyph) {
      DrawGlyph(dc, button.Glyph(), enabled, face,
                rect.left + (rect.right - rect.left - glyph.cx) / 2 + shift, top + shift);
    }
    text = RECT{rect.left, top + glyph.cy + spacing, rect.right,
                top + glyph.cy + spacing + textHeight};
  } else {
    int group = glyph.cx + spacing + textWidth;
    int left = rect.left + (rect.right - rect.left - group) / 2;
    if (hasGlyph) {
      DrawGlyph(dc, button.Glyph(), enabled, face, left + shift,
                item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - glyph.cy) / 2 + shift);
    }
    text = RECT{left + glyph.cx + spacing, rect.top, left + glyph.cx + spacing + textWidth,
                rect.bottom};
  }
  OffsetRect(&text, shift, shift);
  Caption(dc, caption, text, DT_CENTER | DT_VCENTER | DT_SINGLELINE, enabled,
          ColorRefOf(button.GetFont().color));
  SelectObject(dc, oldFont);
  if (focused) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -4, -4);
    DrawFocusRect(dc, &focus);
  }
}

LRESULT FormWindow::ColorFor(HWND child, HDC dc) {
  Control* control = ControlFor(child);
  if (control == nullptr) return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  toolkit::Color color = control->GetColor();
  SetTextColor(dc, ColorRefOf(control->GetFont().color));
  SetBkColor(dc, ColorRefOf(color));
  return reinterpret_cast<LRESULT>(host_.Gdi().Brush(color));
}

LRESULT FormWindow::Notify(const NMHDR& header) {
  if (header.code != TTN_NEEDTEXTA || form_ == nullptr) return 0;
  auto& info = const_cast<NMTTDISPINFOA&>(reinterpret_cast<const NMTTDISPINFOA&>(header));
  auto it = controls_.find(reinterpret_cast<HWND>(header.idFrom));
  tipText_.clear();
  if (it != controls_.end()) {
    toolkit::Application* app = form_->GetApplication();
    std::string hint = toolkit::GetShortHint(it->second->EffectiveHint());
    if (app != nullptr && app->ShowHint() && it->second->ShowHint()) tipText_ = hint;
  }
  // An empty text shows no tip.
  info.lpszText = const_cast<char*>(tipText_.c_str());
  info.hinst = nullptr;
  return 0;
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
