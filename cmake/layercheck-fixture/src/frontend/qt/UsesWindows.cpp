// The Qt front-end renders the windows: allowed.
#include "frontend/headless/FrontEndOptions.h"
#include "ui/mainform.h"
#include <QWidget>
