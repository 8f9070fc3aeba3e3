// An action bound to a control of the model: its window side belongs in ui.
#include "toolkit/CheckBox.h"
