#include "frontend/headless/HeadlessUi.h"

#include <algorithm>

#include "platform/TextCodec.h"
#include "toolkit/Application.h"
#include "toolkit/Cp932Text.h"
#include "toolkit/Form.h"
#include "toolkit/HelpFile.h"
#include "toolkit/PopupMenu.h"

namespace zuba::headless {

using namespace toolkit;

const char* IconName(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kInformation: return "information";
    case MessageIcon::kQuestion: return "question";
    case MessageIcon::kWarning: return "warning";
    case MessageIcon::kError: return "error";
    case MessageIcon::kNone: break;
  }
  return "none";
}

const char* ButtonsName(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kOkCancel: return "OK/Cancel";
    case MessageButtons::kYesNo: return "Yes/No";
    case MessageButtons::kYesNoCancel: return "Yes/No/Cancel";
    case MessageButtons::kOk: break;
  }
  return "OK";
}

std::string OneLine(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      out += "\\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += c;
      // A trail byte is never a line break, but keep double-byte
      // characters whole anyway.
      if (IsCp932LeadByte(static_cast<unsigned char>(c)) && i + 1 < text.size()) {
        out += text[++i];
      }
    }
  }
  return out;
}

HeadlessUi::HeadlessUi(std::ostream& err, platform::Files& files, UserScript& script)
    : ScriptedUiServices([this](const Message& message) {
        std::string button = message.button;
        button.erase(std::remove(button.begin(), button.end(), '&'), button.end());
        WriteLine(message.caption,
                  std::string(IconName(message.icon)) + "; " +
                      (button.empty() ? ButtonsName(message.buttons) : button),
                  message.text);
      }),
      err_(err),
      files_(files),
      script_(script) {}

void HeadlessUi::WriteLine(const std::string& caption, const std::string& what,
                           const std::string& text) {
  const std::string& shown = caption.empty() ? ApplicationTitle() : caption;
  err_ << "[" << platform::Cp932ToUtf8(OneLine(shown)) << "] (" << platform::Cp932ToUtf8(what)
       << ") " << platform::Cp932ToUtf8(OneLine(text)) << "\n";
  err_.flush();
}

MessageResult HeadlessUi::ShowMessageBox(const std::string& text, const std::string& caption,
                                         MessageIcon icon, MessageButtons buttons) {
  if (std::optional<MessageResult> answer = script_.TakeButton(buttons)) QueueAnswer(*answer);
  return ScriptedUiServices::ShowMessageBox(text, caption, icon, buttons);
}

MessageResult HeadlessUi::ShowTimedMessageBox(const TimedQuestion& question) {
  if (std::optional<MessageResult> answer = script_.TakeButton(question.buttons)) {
    QueueAnswer(*answer);
  }
  return ScriptedUiServices::ShowTimedMessageBox(question);
}

void HeadlessUi::ShowReport(const std::string& text, const std::string& caption) {
  std::string lines;
  for (char c : text) {
    if (c != '\r') lines += c;
  }
  script_.Print(platform::Cp932ToUtf8("[" + caption + "]\n" + lines));
}

bool HeadlessUi::ShowOpenDialog(const OpenFileRequest& request, std::string* path) {
  std::string chosen;
  if (script_.TakeFile(&chosen)) {
    QueueFile(chosen);
  } else {
    QueueFileCancel();
  }
  bool confirmed = ScriptedUiServices::ShowOpenDialog(request, path);
  WriteLine(request.title, "file; " + (confirmed ? *path : std::string("cancel")),
            request.filter);
  return confirmed;
}

void HeadlessUi::ShowHelpTopic(const std::string& helpFile, int context) {
  ScriptedUiServices::ShowHelpTopic(helpFile, context);
  std::string content;
  if (!files_.ReadBytes(helpFile, &content)) {
    ShowMessageBox("ヘルプ ファイル " + helpFile + " を開けません。", "ヘルプ",
                   MessageIcon::kError, MessageButtons::kOk);
    return;
  }
  HelpFile file = HelpFile::Parse(content);
  const HelpTopic* topic = file.Topic(context);
  std::string title = topic != nullptr ? topic->title : "(" + helpFile + " has no such topic)";
  err_ << "[help] topic " << context << ": " << platform::Cp932ToUtf8(title) << "\n";
  err_.flush();
}

MenuItem* HeadlessUi::TrackPopup(PopupMenu& menu, int x, int y) {
  if (MenuItem* chosen = script_.TakeMenuChoice(menu)) QueueMenuChoice(chosen->Name());
  return ScriptedUiServices::TrackPopup(menu, x, y);
}

void HeadlessUi::RunModal(Form& form) {
  while (form.ModalLoopRunning() && script_.HasAction()) script_.RunNext(form);
  if (form.ModalLoopRunning() && !script_.Failed()) form.ClickCloseBox();
  if (form.ModalLoopRunning()) form.AbortModal();
}

void HeadlessUi::RunMessageLoop(Application& app) {
  while (!app.Terminated() && script_.HasAction()) {
    Form* form = app.ActiveForm();
    if (form == nullptr) break;
    script_.RunNext(*form);
  }
  if (app.Terminated()) return;
  if (!script_.Failed() && app.MainForm() != nullptr) app.MainForm()->ClickCloseBox();
  app.Terminate();
}

}  // namespace zuba::headless
