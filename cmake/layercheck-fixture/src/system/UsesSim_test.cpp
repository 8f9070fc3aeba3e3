// A test builds its fixture machine: allowed.
#include "platform/sim/SimRegistry.h"
