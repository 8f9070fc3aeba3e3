// The form window's model-to-Windows direction: each change of the model
// applied to the windows (FormWindow.h says how).
#include "frontend/win32/FormWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "frontend/win32/FormWindowStyles.h"
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
#include "toolkit/StatusBar.h"

namespace zuba::winui {

using toolkit::Control;
using toolkit::ControlKind;

// --- Model to Windows --------------------------------------------------------

void FormWindow::ModalEnded() {
  // Wakes the modal loop, which sees that the form's loop has ended.
  if (window_ != nullptr) PostMessageA(window_, WM_NULL, 0, 0);
}

void FormWindow::ApplyEnabled(Control& control) {
  HWND hwnd = WindowOf(control);
  EnableWindow(hwnd, control.Enabled());
  InvalidateRect(hwnd, nullptr, TRUE);
}

void FormWindow::ApplyColor(Control& control) { InvalidateRect(WindowOf(control), nullptr, TRUE); }

void FormWindow::ApplyRepaint(Control& control) { InvalidateRect(WindowOf(control), nullptr, TRUE); }

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
  if (control.Kind() == ControlKind::kListBox) ApplyFont(control);
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

void FormWindow::ApplyShown(Control& control) {
  ShowWindow(WindowOf(control), control.Visible() ? SW_SHOWNA : SW_HIDE);
}

bool FormWindow::FormShown() const { return IsWindowVisible(window_) != 0; }

void FormWindow::HideForm() { ShowWindow(window_, SW_HIDE); }

void FormWindow::PrepareShow() { ApplyWindowStyle(); }

void FormWindow::ShowNative() { ShowWindow(window_, SW_SHOW); }

void FormWindow::Activate() {
  SetForegroundWindow(window_);
  FocusFromModel();
  UpdateWindow(window_);
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

toolkit::Rect FormWindow::FrameAtModel() const {
  // The window's own frame, which may be larger than the model's.
  const SIZE size = FrameSize();
  return toolkit::Rect{form_->Left(), form_->Top(), size.cx, size.cy};
}

std::vector<toolkit::Rect> FormWindow::WorkAreas() const { return {WorkArea()}; }

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
  if (!combo) ApplyFont(control);  // the entries' size fits the widest
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

}  // namespace zuba::winui
