// Qt below the front-end: the check refuses it.
#include <QWidget>
