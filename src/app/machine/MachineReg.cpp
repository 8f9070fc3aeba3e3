// zubanet-machine reg export [KEY] | reg import FILE
//
// The machine's registry editor: export prints REGEDIT4 text (the whole
// registry, or KEY with everything below it) in UTF-8 with plain line feeds;
// import reads a REGEDIT4 file in CP932 and applies it as one write, or
// refuses it as a whole.
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "app/machine/Commands.h"
#include "platform/TextCodec.h"
#include "platform/sim/RegeditFile.h"

namespace zuba::app {
namespace {

int RegUsage(std::ostream& err) {
  err << "usage: zubanet-machine reg export [KEY]\n"
         "       zubanet-machine reg import FILE\n";
  return kExitUsage;
}

// CR LF becomes LF and CP932 becomes UTF-8.
std::string ForTerminal(const std::string& text) {
  std::string lf;
  lf.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    lf.push_back(text[i]);
  }
  return platform::Cp932ToUtf8(lf);
}

int Export(CommandContext& context) {
  std::string key = context.args.size() > 1 ? context.args[1] : "";
  auto machine = OpenMachine(context.location);
  std::string text;
  try {
    text = platform::sim::ExportRegedit4(*machine->registry, platform::Utf8ToCp932(key));
  } catch (const platform::sim::MachineError& e) {
    context.err << "zubanet-machine: reg export " << key << ": " << e.what() << "\n";
    return kExitError;
  }
  context.out << ForTerminal(text);
  return context.out ? kExitOk : kExitError;
}

int Import(CommandContext& context) {
  const std::string& file = context.args[1];
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  if (in) text << in.rdbuf();
  if (!in || in.bad()) {
    context.err << "zubanet-machine: " << file << ": cannot read: " << std::strerror(errno) << "\n";
    return kExitError;
  }
  auto machine = OpenMachine(context.location);
  platform::sim::ImportRegedit4(*machine->registry, text.str(), file);
  return kExitOk;
}

}  // namespace

int RunReg(CommandContext& context) {
  const std::vector<std::string>& args = context.args;
  if (!args.empty() && args[0] == "export" && args.size() <= 2) return Export(context);
  if (!args.empty() && args[0] == "import" && args.size() == 2) return Import(context);
  return RegUsage(context.err);
}

}  // namespace zuba::app
