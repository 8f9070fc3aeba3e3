// A core file that reaches up into the network layer: the check refuses it.
#include "core/RegType.h"
#include "network/ChgDNS.h"
