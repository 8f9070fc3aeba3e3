// The control model reaching up into the actions that bind it: refused.
#include "actions/ZbProxy.h"
