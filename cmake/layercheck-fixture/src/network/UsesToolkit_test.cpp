// A test below the switch answers its questions without the toolkit: refused.
#include "toolkit/ScriptedUiServices.h"
