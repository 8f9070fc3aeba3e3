// What the front-end's tests share: one QApplication on the offscreen
// platform (no window ever reaches a screen), with the program's look.
#ifndef ZUBA_UI_QT_QTTESTING_H_
#define ZUBA_UI_QT_QTTESTING_H_

#include <QApplication>
#include <QTimer>
#include <functional>

#include "ui/qt/QtLook.h"

namespace zuba::qt {

inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "zubanet-tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    auto* made = new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    UseClassicLook();
    return made;
  }();
  return *app;
}

// Runs `step` once the event loop (a modal one included) runs again.
inline void Soon(std::function<void()> step) { QTimer::singleShot(0, std::move(step)); }

// Runs `step` on the next modal dialog (a message box or a file dialog)
// Qt shows, as soon as it is up.
inline void OnNextDialog(std::function<void(QWidget*)> step) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, step] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      timer->stop();
      timer->deleteLater();
      step(modal);
    }
  });
  timer->start(5);
}

}  // namespace zuba::qt

#endif  // ZUBA_UI_QT_QTTESTING_H_
