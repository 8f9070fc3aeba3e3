#include "app/machine/Commands.h"

namespace zuba::app {

int RunInit(CommandContext& context) {
  context.err << "zubanet-machine: init is not built yet\n";
  return kExitError;
}
int RunEvents(CommandContext& context) {
  context.err << "zubanet-machine: events is not built yet\n";
  return kExitError;
}

}  // namespace zuba::app
