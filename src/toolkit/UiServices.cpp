#include "toolkit/UiServices.h"

namespace zuba::toolkit {

bool ButtonsOffer(MessageButtons buttons, MessageResult answer) {
  switch (buttons) {
    case MessageButtons::kOk:
      return answer == MessageResult::kOk;
    case MessageButtons::kOkCancel:
      return answer == MessageResult::kOk || answer == MessageResult::kCancel;
    case MessageButtons::kYesNo:
      return answer == MessageResult::kYes || answer == MessageResult::kNo;
    case MessageButtons::kYesNoCancel:
      return answer == MessageResult::kYes || answer == MessageResult::kNo ||
             answer == MessageResult::kCancel;
  }
  return false;
}

MessageResult FirstButton(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kOk:
    case MessageButtons::kOkCancel:
      return MessageResult::kOk;
    case MessageButtons::kYesNo:
    case MessageButtons::kYesNoCancel:
      return MessageResult::kYes;
  }
  return MessageResult::kOk;
}

std::string TimedQuestionText(const TimedQuestion& question, int secondsLeft) {
  std::string line = question.countdown;
  const std::size_t at = line.find("%1");
  if (at != std::string::npos) line.replace(at, 2, std::to_string(secondsLeft));
  return line.empty() ? question.text : question.text + "\r\n\r\n" + line;
}

void UiServices::ShowPlainMessage(const std::string& text) {
  ShowMessageBox(text, applicationTitle_, MessageIcon::kNone, MessageButtons::kOk);
}

}  // namespace zuba::toolkit
