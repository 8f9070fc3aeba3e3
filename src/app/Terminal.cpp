#include "app/Terminal.h"

#include "platform/TextCodec.h"

namespace zuba::app {

void WriteCp932(std::ostream& out, const std::string& text) {
  out << platform::Cp932ToUtf8(text);
}

}  // namespace zuba::app
