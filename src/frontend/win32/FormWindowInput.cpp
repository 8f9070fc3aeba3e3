// The form window's other direction: the user's input handed to the
// model's user actions (FormWindow.h says how).
#include <windowsx.h>

#include <functional>

#include "frontend/win32/FormWindow.h"
#include "frontend/win32/WinKeys.h"
#include "toolkit/Application.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Edit.h"
#include "toolkit/FileNameEdit.h"
#include "toolkit/ListBox.h"
#include "toolkit/RadioButton.h"

namespace zuba::winui {

namespace {

using toolkit::Control;
using toolkit::ControlKind;
namespace vk = toolkit::vk;

bool IsEditKind(ControlKind kind) {
  return kind == ControlKind::kEdit || kind == ControlKind::kFileNameEdit;
}

bool IsButtonKind(ControlKind kind) {
  return kind == ControlKind::kButton || kind == ControlKind::kCheckBox ||
         kind == ControlKind::kRadioButton;
}

// Keys an edit leaves to the model whole: they type nothing into it.
bool IsDialogKey(WPARAM key) {
  return key == VK_RETURN || key == VK_ESCAPE || key == VK_TAB || key == VK_UP ||
         key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT || key == VK_APPS ||
         (key >= VK_F1 && key <= VK_F24);
}

// The point of a mouse message in the client area of `to`.
POINT PointIn(const MSG& msg, HWND to) {
  POINT at{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
  if (msg.hwnd != to) MapWindowPoints(msg.hwnd, to, &at, 1);
  return at;
}

bool Inside(HWND hwnd, POINT at) {
  RECT client;
  GetClientRect(hwnd, &client);
  return PtInRect(&client, at) != 0;
}

}  // namespace

Control* FormWindow::ControlFor(HWND hwnd) const {
  for (HWND h = hwnd; h != nullptr; h = GetParent(h)) {
    auto it = controls_.find(h);
    if (it != controls_.end()) return it->second;
    if (h == window_ || (GetWindowLongA(h, GWL_STYLE) & WS_CHILD) == 0) return nullptr;
  }
  return nullptr;
}

void FormWindow::Done() {
  if (form_ != nullptr) host_.UserActionDone();
}

bool FormWindow::Gone(const Control& control) const {
  return form_ == nullptr || windows_.count(&control) == 0;
}

bool FormWindow::PreTranslate(const MSG& msg) {
  if (form_ == nullptr) return false;
  if (msg.message == WM_MOUSEMOVE || (msg.message >= WM_LBUTTONDOWN && msg.message <= WM_MBUTTONDBLCLK)) {
    auto browse = browseButtons_.find(msg.hwnd);
    Control* control = browse != browseButtons_.end() ? browse->second : ControlFor(msg.hwnd);
    return control != nullptr && Mouse(*control, msg);
  }
  if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN || msg.message == WM_CHAR ||
      msg.message == WM_SYSCHAR) {
    Control* control = ControlFor(msg.hwnd);
    if (control == nullptr && msg.hwnd == window_) control = form_;
    return control != nullptr && Key(*control, msg);
  }
  return false;
}

// --- Mouse -------------------------------------------------------------------

bool FormWindow::Mouse(Control& control, const MSG& msg) {
  HWND hwnd = WindowOf(control);
  const ControlKind kind = control.Kind();
  const toolkit::ShiftState held = HeldKeys();
  const bool browse = browseButtons_.count(msg.hwnd) != 0;
  switch (msg.message) {
    case WM_MOUSEMOVE: {
      if (dragSource_ != nullptr && !dragging_ && (msg.wParam & MK_LBUTTON)) {
        POINT at = msg.pt;
        if (std::abs(at.x - dragStart_.x) + std::abs(at.y - dragStart_.y) >=
            GetSystemMetrics(SM_CXDRAG)) {
          dragging_ = true;
        }
      }
      if (pressed_ != nullptr && pressedWindow_ == msg.hwnd) {
        SendMessageA(msg.hwnd, BM_SETSTATE, Inside(msg.hwnd, PointIn(msg, msg.hwnd)), 0);
      }
      if (&control != hovered_ && pressed_ == nullptr && dragSource_ == nullptr) {
        hovered_ = &control;
        control.Hover();
        Done();
      }
      return false;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      return true;
    case WM_RBUTTONUP: {
      POINT at = PointIn(msg, hwnd);
      control.RightClick(at.x, at.y);
      Done();
      return true;
    }
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
      return true;
    default:
      break;
  }
  if (IsEditKind(kind) && !browse) {
    // The edit places its caret and selects itself; the model hears the
    // click first and takes the focus.
    if (msg.message == WM_LBUTTONDOWN) {
      control.Click(held);
      Done();
    } else if (msg.message == WM_LBUTTONDBLCLK) {
      control.DoubleClick();
      Done();
    }
    return Gone(control);
  }
  if (kind == ControlKind::kComboBox) {
    // The list opens itself; its choice comes back as CBN_SELENDOK.
    if (msg.message == WM_LBUTTONDOWN) {
      control.Click(held);
      Done();
    }
    return Gone(control) || !control.Usable();
  }
  if (kind == ControlKind::kListBox) {
    if (msg.message == WM_LBUTTONDBLCLK) {
      control.DoubleClick();
      Done();
    } else if (msg.message == WM_LBUTTONDOWN) {
      POINT at = PointIn(msg, hwnd);
      LRESULT hit = SendMessageA(hwnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y));
      int row = HIWORD(hit) == 0 ? LOWORD(hit) : -1;
      dragSource_ = &control;
      dragStart_ = msg.pt;
      dragging_ = false;
      SetCapture(hwnd);
      control.Click(held);
      if (!Gone(control) && row >= 0) {
        auto& list = static_cast<toolkit::ListBox&>(control);
        if (held.Has(toolkit::kCtrlKey) && list.MultiSelect()) {
          list.ToggleChoice(row);
        } else {
          list.Choose(row);
        }
      }
      Done();
    } else if (msg.message == WM_LBUTTONUP) {
      const bool dragged = dragSource_ == &control && dragging_;
      dragSource_ = nullptr;
      dragging_ = false;
      if (GetCapture() == hwnd) ReleaseCapture();
      if (dragged) {
        HWND under = WindowFromPoint(msg.pt);
        Control* target = under != nullptr && Contains(under) ? ControlFor(under) : nullptr;
        if (target != nullptr && target != &control) {
          POINT at = msg.pt;
          ScreenToClient(WindowOf(*target), &at);
          control.DragTo(*target, at.x, at.y);
          Done();
        }
      }
    }
    return true;
  }
  // Buttons, check boxes, radio buttons, the browse button, and what is
  // drawn by us: pressed with the left button, clicked where it is let go.
  if (msg.message == WM_LBUTTONDOWN ||
      (msg.message == WM_LBUTTONDBLCLK && (IsButtonKind(kind) || browse))) {
    pressed_ = &control;
    pressedWindow_ = msg.hwnd;
    SetCapture(msg.hwnd);
    if ((IsButtonKind(kind) || browse) && control.Usable()) {
      SendMessageA(msg.hwnd, BM_SETSTATE, TRUE, 0);
    }
    return true;
  }
  if (msg.message == WM_LBUTTONDBLCLK) {
    control.DoubleClick();
    Done();
    return true;
  }
  if (msg.message == WM_LBUTTONUP) {
    const bool click = pressed_ == &control && pressedWindow_ == msg.hwnd &&
                       Inside(msg.hwnd, PointIn(msg, msg.hwnd));
    pressed_ = nullptr;
    pressedWindow_ = nullptr;
    if (GetCapture() == msg.hwnd) ReleaseCapture();
    if (IsButtonKind(kind) || browse) SendMessageA(msg.hwnd, BM_SETSTATE, FALSE, 0);
    if (click) {
      if (browse) {
        static_cast<toolkit::FileNameEdit&>(control).Browse();
      } else {
        control.Click(held);
      }
      Done();
    }
  }
  return true;
}

// --- Keys --------------------------------------------------------------------

bool FormWindow::Key(Control& control, const MSG& msg) {
  const toolkit::ShiftState held = HeldKeys();
  const WPARAM key = msg.wParam;
  if (msg.message == WM_SYSKEYDOWN) {
    if (key == VK_F4) return false;  // the system closes the window: WM_CLOSE
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
      if (Accelerator(static_cast<char>(key))) return true;
    }
    control.PressKey(static_cast<std::uint16_t>(key), held);
    Done();
    return true;
  }
  if (msg.message == WM_SYSCHAR) return true;  // the access keys are handled above
  if (control.Kind() == ControlKind::kComboBox &&
      SendMessageA(WindowOf(control), CB_GETDROPPEDSTATE, 0, 0)) {
    return false;  // an open list takes its keys itself
  }
  if (IsEditKind(control.Kind())) return EditKey(control, msg);
  if (msg.message == WM_CHAR) {
    // Characters of an input method; keys come as WM_KEYDOWN.
    control.KeyPress(static_cast<char>(key));
    Done();
    return true;
  }
  control.PressKey(static_cast<std::uint16_t>(key), held);
  Done();
  return true;
}

bool FormWindow::EditKey(Control& control, const MSG& msg) {
  HWND hwnd = WindowOf(control);
  const toolkit::ShiftState held = HeldKeys();
  const WPARAM key = msg.wParam;
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const bool atEnd = start == end && static_cast<int>(end) == GetWindowTextLengthA(hwnd);
  if (msg.message == WM_CHAR) {
    if (static_cast<unsigned char>(key) < 0x20) return false;  // Ctrl+C, V, X, Z
    if (!atEnd) return false;  // typed in the middle: the edit inserts it
    control.KeyPress(static_cast<char>(key));
    Done();
    return true;
  }
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
    case VK_DELETE:
    case VK_INSERT:
      // The handlers see the key; the caret and deleting are the edit's.
      control.PressKey(static_cast<std::uint16_t>(key), held);
      Done();
      return Gone(control);
    case VK_BACK:
      if (atEnd && held.NoKeys()) break;  // the model's own Backspace
      return false;
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
      control.PressKey(static_cast<std::uint16_t>(key), held);
      Done();
      return true;
    default:
      if (!IsDialogKey(key)) return false;  // typing: its character comes as WM_CHAR
      break;
  }
  control.PressKey(static_cast<std::uint16_t>(key), held);
  Done();
  return true;
}

bool FormWindow::Accelerator(char letter) {
  // The first reachable button, check box or radio button whose caption
  // marks this letter is clicked, as Windows does for Alt and the letter.
  Control* found = nullptr;
  std::function<void(Control&)> search = [&](Control& parent) {
    for (Control* child : parent.TabList()) {
      if (found != nullptr) return;
      if (IsButtonKind(child->Kind()) && child->Reachable() &&
          AccessKey(child->Caption()) == letter) {
        found = child;
        return;
      }
      search(*child);
    }
  };
  search(*form_);
  if (found == nullptr) return false;
  found->Click(HeldKeys());
  Done();
  return true;
}

void FormWindow::Edited(Control& control, HWND edit) {
  auto& model = static_cast<toolkit::Edit&>(control);
  int length = GetWindowTextLengthA(edit);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(edit, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  if (text == model.Text()) return;
  if (!model.EditText(text)) {
    // Refused (an edit that cannot be reached): the field shows the
    // model's text again.
    MessageBeep(MB_OK);
    if (!Gone(control)) ApplyText(control);
    return;
  }
  Done();
}

void FormWindow::Chosen(Control& control, int index) {
  if (!static_cast<toolkit::ListControl&>(control).Choose(index) && !Gone(control)) {
    ApplySelection(control);
  }
  Done();
}

}  // namespace zuba::winui
