#include "frontend/qt/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
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

MessageResult RunMessageBox(QWidget* parent, const QString& caption, const QString& text,
                            toolkit::MessageIcon icon, MessageButtons buttons) {
  QMessageBox box(ParentOr(parent));
  box.setWindowTitle(caption);
  box.setText(QtLineBreaks(text));
  box.setTextFormat(Qt::PlainText);
  box.setIcon(IconOf(icon));
  std::vector<std::pair<QAbstractButton*, MessageResult>> made;
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
  box.exec();
  for (const auto& [button, answer] : made) {
    if (box.clickedButton() == button) return answer;
  }
  // Ended without an answer (hidden by program, the application quitting):
  // the last button, which is Cancel, No or the only OK, and never Yes.
  return made.back().second;
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
