#include "ui/qt/QtKeyState.h"

#include <QGuiApplication>

namespace zuba::qt {

std::int16_t QtKeyState::GetKeyState(int virtualKey) {
  // The modifiers as of the event being handled, as GetKeyState answers
  // for the message being processed.
  Qt::KeyboardModifiers held = QGuiApplication::keyboardModifiers();
  bool down = (virtualKey == platform::kVkShift && (held & Qt::ShiftModifier)) ||
              (virtualKey == platform::kVkControl && (held & Qt::ControlModifier)) ||
              (virtualKey == platform::kVkMenu && (held & Qt::AltModifier));
  return down ? static_cast<std::int16_t>(-128) : platform::SystemWrapper::GetKeyState(virtualKey);
}

}  // namespace zuba::qt
