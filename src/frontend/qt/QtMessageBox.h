// Message boxes as Windows shows them: the icon, the text, and buttons with
// the Japanese texts of Windows ("OK", "キャンセル", "はい(&Y)",
// "いいえ(&N)"), the first one the default. Escape and the close box answer
// Cancel where the box has it, else its first button.
#ifndef ZUBA_FRONTEND_QT_QTMESSAGEBOX_H_
#define ZUBA_FRONTEND_QT_QTMESSAGEBOX_H_

#include <QString>
#include <functional>

#include "toolkit/UiServices.h"

class QWidget;

namespace zuba::qt {

// The caption of a button of a message box.
QString ButtonText(toolkit::MessageResult button);

// Shows a modal message box over `parent` (nullptr: the active window) and
// answers the button pressed. `text` may hold CR LF or LF line breaks.
toolkit::MessageResult RunMessageBox(QWidget* parent, const QString& caption, const QString& text,
                                     toolkit::MessageIcon icon, toolkit::MessageButtons buttons);

// RunMessageBox with a time limit: the text is `textAt(secondsLeft)`,
// renewed every second, and once `seconds` have passed the box closes by
// itself and answers `timeoutAnswer`.
toolkit::MessageResult RunTimedMessageBox(QWidget* parent, const QString& caption,
                                          const std::function<QString(int)>& textAt,
                                          toolkit::MessageIcon icon,
                                          toolkit::MessageButtons buttons, int seconds,
                                          toolkit::MessageResult timeoutAnswer);

// A modal box with the warning icon and one button captioned `button` (an
// "&" marks its access key).
void RunWarningBox(QWidget* parent, const QString& caption, const QString& text,
                   const QString& button);

}  // namespace zuba::qt

#endif  // ZUBA_FRONTEND_QT_QTMESSAGEBOX_H_
