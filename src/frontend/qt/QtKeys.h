// Keys from Qt as Windows reports them: the virtual-key code, the state of
// Shift, Ctrl and Alt, and the printable text a key types.
#ifndef ZUBA_FRONTEND_QT_QTKEYS_H_
#define ZUBA_FRONTEND_QT_QTKEYS_H_

#include <QString>
#include <cstdint>

#include "toolkit/Keys.h"

class QKeyEvent;

namespace zuba::qt {

// The Windows virtual-key code of a Qt key (letters and digits as their
// upper-case ASCII codes, F1 to F24, the editing and arrow keys, Shift, Ctrl
// and Alt themselves); 0 for a key without one.
std::uint16_t VirtualKeyOf(const QKeyEvent& event);

// Shift, Ctrl and Alt as held at the key (Backtab counts as Shift).
toolkit::ShiftState ShiftOf(const QKeyEvent& event);

// Shift, Ctrl and Alt among Qt's keyboard modifiers (those held at a click).
toolkit::ShiftState ShiftOf(Qt::KeyboardModifiers modifiers);

// The printable text a key types; empty for a key that types nothing and
// for every key while Ctrl or Alt is held.
QString TypedText(const QKeyEvent& event);

}  // namespace zuba::qt

#endif  // ZUBA_FRONTEND_QT_QTKEYS_H_
