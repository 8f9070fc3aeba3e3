// An action reaching up into the windows: refused.
#include "ui/ZbProxy.h"
