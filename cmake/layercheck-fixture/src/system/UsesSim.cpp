// Library code that picks the simulated machine: only programs and tests may.
#include "platform/sim/SimRegistry.h"
