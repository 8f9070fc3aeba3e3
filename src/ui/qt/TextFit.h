// Captions that fit their controls. The window font is drawn with
// IPAPGothic, which runs a few pixels wider than the font the windows were
// laid out with in some texts (a label sized for its caption then loses its
// last pixels). Rather than move or widen controls, a caption that would be
// cut off is drawn condensed: the font keeps its height and is narrowed
// (QFont::setStretch) just enough for the text to fit, never below
// kMinStretch percent. A text that fits is drawn in the font as it is.
#ifndef ZUBA_UI_QT_TEXTFIT_H_
#define ZUBA_UI_QT_TEXTFIT_H_

#include <QFont>
#include <QRect>
#include <QString>

namespace zuba::qt {

// The narrowest a caption is drawn, in percent of the font's width.
constexpr int kMinStretch = 80;

// `font`, narrowed so that every line of `text` (lines end at LF) is at
// most `width` pixels wide.
QFont FitToWidth(const QFont& font, const QString& text, int width);

// `font`, narrowed so that `text` drawn in `box` with the QPainter text
// `flags` (word wrap among them) needs no more than the box: no line wider,
// no more lines than the box holds.
QFont FitToBox(const QFont& font, const QString& text, const QRect& box, int flags);

}  // namespace zuba::qt

#endif  // ZUBA_UI_QT_TEXTFIT_H_
