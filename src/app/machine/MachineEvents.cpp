// zubanet-machine events
//
// Prints the machine's event log (DIR/events.log, already UTF-8) as it
// stands; a machine that saw no event prints nothing.
#include <fstream>

#include "app/machine/Commands.h"

namespace zuba::app {

int RunEvents(CommandContext& context) {
  if (!context.args.empty()) {
    context.err << "usage: zubanet-machine events\n";
    return kExitUsage;
  }
  auto machine = OpenMachine(context.location);
  std::ifstream log(machine->directory + "/events.log", std::ios::binary);
  if (log && log.peek() != std::ifstream::traits_type::eof()) context.out << log.rdbuf();
  context.out.flush();
  return context.out ? kExitOk : kExitError;
}

}  // namespace zuba::app
