// What the front-end's tests share: one QApplication on the offscreen
// platform (no window ever reaches a screen), with the program's look.
#ifndef ZUBA_FRONTEND_QT_QTTESTING_H_
#define ZUBA_FRONTEND_QT_QTTESTING_H_

#include <QApplication>
#include <QTimer>
#include <functional>

#include "frontend/qt/QtLook.h"

namespace zuba::qt {

inline QApplication& TestApplication() {
  static int argc = 1;
  static char name[] = "zubanet-tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    auto* made = new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setEffectEnabled(Qt::UI_FadeTooltip, false);  // tool tips show at once
    QApplication::setEffectEnabled(Qt::UI_AnimateTooltip, false);
    UseClassicLook();
    return made;
  }();
  return *app;
}

// Runs `step` once the event loop (a modal one included) runs again.
inline void Soon(std::function<void()> step) { QTimer::singleShot(0, std::move(step)); }

// Runs `step` on the widget `find` answers, as soon as it answers one.
inline void WhenUp(std::function<QWidget*()> find, std::function<void(QWidget*)> step) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, find, step] {
    if (QWidget* up = find()) {
      timer->stop();
      timer->deleteLater();
      step(up);
    }
  });
  timer->start(5);
}

// Runs `step` on the next modal dialog (a message box or a file dialog).
inline void OnNextDialog(std::function<void(QWidget*)> step) {
  WhenUp([] { return QApplication::activeModalWidget(); }, std::move(step));
}

// Runs `step` on the next pop-up menu.
inline void OnNextPopup(std::function<void(QWidget*)> step) {
  WhenUp([] { return QApplication::activePopupWidget(); }, std::move(step));
}

}  // namespace zuba::qt

#endif  // ZUBA_FRONTEND_QT_QTTESTING_H_
