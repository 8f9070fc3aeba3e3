// The headless front-end runs where there is no Qt: refused.
#include "frontend/qt/QtText.h"
#include <QString>
