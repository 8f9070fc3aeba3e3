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

void UiServices::ShowPlainMessage(const std::string& text) {
  ShowMessageBox(text, applicationTitle_, MessageIcon::kNone, MessageButtons::kOk);
}

}  // namespace zuba::toolkit
