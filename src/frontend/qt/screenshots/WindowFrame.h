// Pictures of windows for people to look at. Offscreen, Qt draws a window's
// client area only; the pictures put a classic frame around it (the 3-pixel
// border and the 18-pixel caption bar of the model's single border, the
// caption text, the minimise, maximise and close boxes) so that a picture
// reads as the window it is. Windows that float above it (a pop-up menu, a
// tool tip) are drawn in at their places.
#ifndef ZUBA_FRONTEND_QT_SCREENSHOTS_WINDOWFRAME_H_
#define ZUBA_FRONTEND_QT_SCREENSHOTS_WINDOWFRAME_H_

#include <QPixmap>
#include <QString>

class QWidget;

namespace zuba::qt {

// The boxes at the right end of the caption bar.
enum class CaptionBoxes {
  kClose,             // a dialog or message box
  kMinimiseAndClose,  // a window that cannot be maximised (that box greyed)
};

// `window` (a top-level widget) with a frame and the caption `caption`.
QPixmap Framed(QWidget* window, const QString& caption, CaptionBoxes boxes);

// `picture` of `window` (as Framed made it) with `floating` (a top-level
// widget shown over it) drawn in at its place on the screen; the picture
// grows where the floating window reaches beyond it.
QPixmap WithFloating(const QPixmap& picture, QWidget* window, QWidget* floating);

}  // namespace zuba::qt

#endif  // ZUBA_FRONTEND_QT_SCREENSHOTS_WINDOWFRAME_H_
