// A test of the switch is held to the same rule: refused.
#include "toolkit/ScriptedUiServices.h"
