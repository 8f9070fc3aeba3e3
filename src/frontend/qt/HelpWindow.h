// The help viewer: one window showing a topic of the program's help file
// (HelpFile), kept and reused while the program runs.
#ifndef ZUBA_FRONTEND_QT_HELPWINDOW_H_
#define ZUBA_FRONTEND_QT_HELPWINDOW_H_

#include <QWidget>

#include "toolkit/HelpFile.h"

class QTextBrowser;

namespace zuba::qt {

class HelpWindow : public QWidget {
 public:
  HelpWindow();

  // Shows topic `context` of `file` (or, when the file has none, says so)
  // and brings the window to the front.
  void ShowTopic(const toolkit::HelpFile& file, int context);
  // The text shown now, for tests.
  QString Text() const;

 private:
  QTextBrowser* browser_;
};

}  // namespace zuba::qt

#endif  // ZUBA_FRONTEND_QT_HELPWINDOW_H_
