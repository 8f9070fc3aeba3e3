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
    if (Control* control = ControlOf(h)) return control;
    if (h == window_ || (GetWindowLongA(h, GWL_STYLE) & WS_CHILD) == 0) return nullptr;
  }
  return nullptr;
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
  if (msg.message == WM_MOUSEMOVE) {
    if (dragSource_ != nullptr && (msg.wParam & MK_LBUTTON)) {
      DragMoved(std::abs(msg.pt.x - dragStart_.x) + std::abs(msg.pt.y - dragStart_.y),
                GetSystemMetrics(SM_CXDRAG));
    }
    if (pressed_ != nullptr && pressedWindow_ == msg.hwnd) {
      SendMessageA(msg.hwnd, BM_SETSTATE, Inside(msg.hwnd, PointIn(msg, msg.hwnd)), 0);
    }
    if (pressed_ == nullptr && dragSource_ == nullptr) Hovered(control);
    return false;
  }
  toolkit::MouseInput input;
  input.held = HeldKeys();
  input.browse = browseButtons_.count(msg.hwnd) != 0;
  switch (msg.message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      input.step = toolkit::MouseStep::kPress;
      break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
      input.step = toolkit::MouseStep::kDoubleClick;
      break;
    default:
      input.step = toolkit::MouseStep::kRelease;
      break;
  }
  if (msg.message >= WM_RBUTTONDOWN && msg.message <= WM_RBUTTONDBLCLK) {
    input.button = toolkit::MouseButton::kRight;
  } else if (msg.message >= WM_MBUTTONDOWN) {
    input.button = toolkit::MouseButton::kMiddle;
  }
  const POINT at = PointIn(msg, hwnd);
  input.x = at.x;
  input.y = at.y;
  input.inside = Inside(msg.hwnd, PointIn(msg, msg.hwnd));
  const bool left = input.button == toolkit::MouseButton::kLeft;
  if (left && kind == ControlKind::kListBox && input.step == toolkit::MouseStep::kPress) {
    LRESULT hit = SendMessageA(hwnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y));
    input.row = HIWORD(hit) == 0 ? LOWORD(hit) : -1;
    dragStart_ = msg.pt;
    SetCapture(hwnd);
  }
  if (left && input.step == toolkit::MouseStep::kRelease && PressedAsAButton(kind, input.browse)) {
    // Shown up before the click's handlers run (they may open a dialog).
    pressedWindow_ = nullptr;
    if (GetCapture() == msg.hwnd) ReleaseCapture();
    if (IsButton(kind) || input.browse) SendMessageA(msg.hwnd, BM_SETSTATE, FALSE, 0);
  }
  switch (FormView::Mouse(control, input)) {
    case toolkit::MouseOutcome::kNative:
      return false;
    case toolkit::MouseOutcome::kPressed:
      pressedWindow_ = msg.hwnd;
      SetCapture(msg.hwnd);
      if ((IsButton(kind) || input.browse) && control.Usable()) {
        SendMessageA(msg.hwnd, BM_SETSTATE, TRUE, 0);
      }
      return true;
    case toolkit::MouseOutcome::kListReleased: {
      if (GetCapture() == hwnd) ReleaseCapture();
      HWND under = WindowFromPoint(msg.pt);
      Control* target = under != nullptr && Contains(under) ? ControlFor(under) : nullptr;
      POINT drop = msg.pt;
      if (target != nullptr) ScreenToClient(WindowOf(*target), &drop);
      Dropped(control, target, drop.x, drop.y);
      return true;
    }
    default:
      return true;
  }
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
  if (IsEdit(control.Kind())) return EditKey(control, msg);
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
      if (IsButton(child->Kind()) && child->Reachable() &&
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

void FormWindow::Browse(Control& control) {
  static_cast<toolkit::FileNameEdit&>(control).Browse();
}

void FormWindow::Chosen(Control& control, int index) {
  if (!static_cast<toolkit::ListControl&>(control).Choose(index) && !Gone(control)) {
    ApplySelection(control);
  }
  Done();
}

}  // namespace zuba::winui
