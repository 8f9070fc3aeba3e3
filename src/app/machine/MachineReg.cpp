// zubanet-machine reg export [--utf8] [KEY] | reg import [--utf8] FILE
//
// The machine's registry editor. Export prints REGEDIT4 text (the whole
// registry, or KEY with everything below it) as the machine holds it: CP932
// with CR LF, so the export of a root is its hive file byte for byte and
// imports back to exactly the same registry. --utf8 prints UTF-8 with plain
// line feeds instead, for reading on a terminal. Import reads a REGEDIT4
// file in CP932 (with --utf8: in UTF-8, as export --utf8 writes it) and
// applies it as one write, or refuses it as a whole.
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "app/machine/Commands.h"
#include "platform/TextCodec.h"
#include "platform/sim/RegeditFile.h"

namespace zuba::app {
namespace {

constexpr char kUtf8Option[] = "--utf8";

int RegUsage(std::ostream& err) {
  err << "usage: zubanet-machine reg export [--utf8] [KEY]\n"
         "       zubanet-machine reg import [--utf8] FILE\n";
  return kExitUsage;
}

// CR LF becomes LF and CP932 becomes UTF-8; `*exact` tells whether every
// byte had a UTF-8 form.
std::string ForTerminal(const std::string& text, bool* exact) {
  std::string lf;
  lf.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    lf.push_back(text[i]);
  }
  return platform::Cp932ToUtf8(lf, exact);
}

int Export(CommandContext& context, bool utf8, const std::string& key) {
  auto machine = OpenMachine(context.location);
  std::string text;
  try {
    text = platform::sim::ExportRegedit4(*machine->registry, platform::Utf8ToCp932(key));
  } catch (const platform::sim::MachineError& e) {
    context.err << "zubanet-machine: reg export " << key << ": " << e.what() << "\n";
    return kExitError;
  }
  if (utf8) {
    bool exact = true;
    context.out << ForTerminal(text, &exact);
    if (!exact) {
      context.err << "zubanet-machine: reg export: bytes without a UTF-8 form are shown as "
                     "U+FFFD; export without --utf8 to keep them\n";
    }
  } else {
    context.out << text;
  }
  context.out.flush();
  return context.out ? kExitOk : kExitError;
}

int Import(CommandContext& context, bool utf8, const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream read;
  if (in) read << in.rdbuf();
  if (!in || in.bad()) {
    context.err << "zubanet-machine: " << file << ": cannot read: " << std::strerror(errno) << "\n";
    return kExitError;
  }
  std::string text = read.str();
  if (utf8) {
    bool exact = true;
    text = platform::Utf8ToCp932(text, &exact);
    if (!exact) {
      context.err << "zubanet-machine: " << file
                  << ": not UTF-8, or holds characters code page 932 lacks\n";
      return kExitError;
    }
  }
  auto machine = OpenMachine(context.location);
  platform::sim::ImportRegedit4(*machine->registry, text, file);
  return kExitOk;
}

}  // namespace

int RunReg(CommandContext& context) {
  std::vector<std::string> args = context.args;
  bool utf8 = false;
  if (args.size() > 1 && args[1] == kUtf8Option) {
    utf8 = true;
    args.erase(args.begin() + 1);
  }
  if (!args.empty() && args[0] == "export" && args.size() <= 2) {
    return Export(context, utf8, args.size() > 1 ? args[1] : "");
  }
  if (!args.empty() && args[0] == "import" && args.size() == 2) {
    return Import(context, utf8, args[1]);
  }
  return RegUsage(context.err);
}

}  // namespace zuba::app
