#include "frontend/qt/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <utility>
#include <vector>

#include "frontend/qt/QtText.h"

namespace zuba::qt {
namespace {

using toolkit::MessageButtons;
using toolkit::MessageResult;

std::vector<MessageResult> ButtonsOf(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kOkCancel:
      return {MessageResult::kOk, MessageResult::kCancel};
    case MessageButtons::kYesNo:
      return {MessageResult::kYes, MessageResult::kNo};
    case MessageButtons::kYesNoCancel:
      return {MessageResult::kYes, MessageResult::kNo, MessageResult::kCancel};
    default:
      return {MessageResult::kOk};
  }
}

QMessageBox::Icon IconOf(toolkit::MessageIcon icon) {
  switch (icon) {
    case toolkit::MessageIcon::kInformation:
      return QMessageBox::Information;
    case toolkit::MessageIcon::kQuestion:
      return QMessageBox::Question;
    case toolkit::MessageIcon::kWarning:
      return QMessageBox::Warning;
    case toolkit::MessageIcon::kError:
      return QMessageBox::Critical;
    default:
      return QMessageBox::NoIcon;
  }
}

QWidget* ParentOr(QWidget* parent) {
  if (parent != nullptr) return parent;
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

}  // namespace

QString ButtonText(MessageResult button) {
  switch (button) {
    case MessageResult::kCancel:
      return ToQt("キャンセル");
    case MessageResult::kYes:
      return ToQt("はい(&Y)");
    case MessageResult::kNo:
      return ToQt("いいえ(&N)");
    default:
      return ToQt("OK");
  }
}

namespace {

using Made = std::vector<std::pair<QAbstractButton*, MessageResult>>;

// Fills `box` as Windows shows a message box; answers its buttons.
Made PrepareBox(QMessageBox& box, const QString& caption, const QString& text,
                toolkit::MessageIcon icon, MessageButtons buttons) {
  box.setWindowTitle(caption);
  box.setText(QtLineBreaks(text));
  box.setTextFormat(Qt::PlainText);
  box.setIcon(IconOf(icon));
  Made made;
  for (MessageResult answer : ButtonsOf(buttons)) {
    QPushButton* button = box.addButton(ButtonText(answer), answer == MessageResult::kCancel
                                                                ? QMessageBox::RejectRole
                                                                : QMessageBox::AcceptRole);
    made.emplace_back(button, answer);
  }
  box.setDefaultButton(static_cast<QPushButton*>(made.front().first));
  // Escape and the close box answer Cancel, or OK in a box with only OK. A
  // Yes/No question has no escape: it waits for one of its two answers.
  QAbstractButton* escape = made.size() == 1 ? made.front().first : nullptr;
  for (const auto& [button, answer] : made) {
    if (answer == MessageResult::kCancel) escape = button;
  }
  if (escape != nullptr) box.setEscapeButton(escape);
  return made;
}

MessageResult AnswerOf(const QMessageBox& box, const Made& made) {
  for (const auto& [button, answer] : made) {
    if (box.clickedButton() == button) return answer;
  }
  // Ended without an answer (hidden by program, the application quitting):
  // the last button, which is Cancel, No or the only OK, and never Yes.
  return made.back().second;
}

}  // namespace

MessageResult RunMessageBox(QWidget* parent, const QString& caption, const QString& text,
                            toolkit::MessageIcon icon, MessageButtons buttons) {
  QMessageBox box(ParentOr(parent));
  const Made made = PrepareBox(box, caption, text, icon, buttons);
  box.exec();
  return AnswerOf(box, made);
}

MessageResult RunTimedMessageBox(QWidget* parent, const QString& caption,
                                 const std::function<QString(int)>& textAt,
                                 toolkit::MessageIcon icon, MessageButtons buttons, int seconds,
                                 MessageResult timeoutAnswer) {
  QMessageBox box(ParentOr(parent));
  const Made made = PrepareBox(box, caption, textAt(seconds), icon, buttons);
  int left = seconds;
  bool timedOut = false;
  QTimer tick;
  tick.setInterval(1000);
  QObject::connect(&tick, &QTimer::timeout, &box, [&] {
    if (--left > 0) {
      box.setText(QtLineBreaks(textAt(left)));
      return;
    }
    timedOut = true;
    tick.stop();
    box.done(0);
  });
  tick.start();
  box.exec();
  tick.stop();
  return timedOut ? timeoutAnswer : AnswerOf(box, made);
}

void RunWarningBox(QWidget* parent, const QString& caption, const QString& text,
                   const QString& button) {
  QMessageBox box(ParentOr(parent));
  box.setWindowTitle(caption);
  box.setText(QtLineBreaks(text));
  box.setTextFormat(Qt::PlainText);
  box.setIcon(QMessageBox::Warning);
  QPushButton* only = box.addButton(button, QMessageBox::AcceptRole);
  box.setDefaultButton(only);
  box.setEscapeButton(only);
  box.exec();
}

}  // namespace zuba::qt
