#include "ui/qt/HeadlessUi.h"

#include "platform/TextCodec.h"
#include "ui/qt/QtText.h"

namespace zuba::qt {

HeadlessUi::HeadlessUi(std::ostream& out, const std::vector<toolkit::MessageResult>& answers)
    : ScriptedUiServices([this, &out](const Message& message) {
        const std::string& caption = message.caption.empty() ? ApplicationTitle() : message.caption;
        out << "[" << platform::Cp932ToUtf8(OneLine(caption)) << "] "
            << platform::Cp932ToUtf8(OneLine(message.text)) << "\n";
        out.flush();
      }) {
  for (toolkit::MessageResult answer : answers) QueueAnswer(answer);
}

}  // namespace zuba::qt
