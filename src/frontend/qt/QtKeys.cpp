#include "frontend/qt/QtKeys.h"

#include <QKeyEvent>

namespace zuba::qt {

namespace vk = toolkit::vk;

std::uint16_t VirtualKeyOf(const QKeyEvent& event) {
  int key = event.key();
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return vk::kReturn;
    case Qt::Key_Escape:
      return vk::kEscape;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return vk::kTab;
    case Qt::Key_Backspace:
      return vk::kBack;
    case Qt::Key_Delete:
      return vk::kDelete;
    case Qt::Key_Insert:
      return vk::kInsert;
    case Qt::Key_Home:
      return vk::kHome;
    case Qt::Key_End:
      return vk::kEnd;
    case Qt::Key_PageUp:
      return vk::kPrior;
    case Qt::Key_PageDown:
      return vk::kNext;
    case Qt::Key_Left:
      return vk::kLeft;
    case Qt::Key_Up:
      return vk::kUp;
    case Qt::Key_Right:
      return vk::kRight;
    case Qt::Key_Down:
      return vk::kDown;
    case Qt::Key_Space:
      return vk::kSpace;
    case Qt::Key_Menu:
      return vk::kApps;
    case Qt::Key_Shift:
      return vk::kShift;
    case Qt::Key_Control:
      return vk::kControl;
    case Qt::Key_Alt:
      return vk::kMenu;
    default:
      break;
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
    return static_cast<std::uint16_t>(0x70 + key - Qt::Key_F1);
  if (key >= Qt::Key_A && key <= Qt::Key_Z)
    return static_cast<std::uint16_t>('A' + key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9)
    return static_cast<std::uint16_t>('0' + key - Qt::Key_0);
  return 0;
}

toolkit::ShiftState ShiftOf(const QKeyEvent& event) {
  toolkit::ShiftState held = ShiftOf(event.modifiers());
  if (event.key() != Qt::Key_Backtab) return held;
  return toolkit::ShiftState(held.Flags() | toolkit::kShiftKey);
}

toolkit::ShiftState ShiftOf(Qt::KeyboardModifiers modifiers) {
  unsigned flags = 0;
  if (modifiers & Qt::ShiftModifier) flags |= toolkit::kShiftKey;
  if (modifiers & Qt::ControlModifier) flags |= toolkit::kCtrlKey;
  if (modifiers & Qt::AltModifier) flags |= toolkit::kAltKey;
  return toolkit::ShiftState(flags);
}

// The printable text a key types (nothing while Ctrl or Alt is held).
QString TypedText(const QKeyEvent& event) {
  if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return QString();
  QString text = event.text();
  for (QChar c : text) {
    if (!c.isPrint() && !c.isSurrogate()) return QString();
  }
  return text;
}

}  // namespace zuba::qt
