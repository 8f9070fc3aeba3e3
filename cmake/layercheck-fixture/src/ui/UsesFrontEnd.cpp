// A window reaching a front-end that renders it: refused.
#include "frontend/qt/FormRenderer.h"
