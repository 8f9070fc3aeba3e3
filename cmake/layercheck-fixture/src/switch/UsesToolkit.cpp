// The switch takes plain values, never a control of the model: refused.
#include "toolkit/PopupMenu.h"
