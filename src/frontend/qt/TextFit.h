// Captions that fit their controls. The window font is drawn with
// IPAPGothic, which runs a few pixels wider than the font the windows were
// laid out with in some texts (a label sized for its caption then loses its
// last pixels). Rather than move or widen controls, a caption that would be
// cut off is drawn condensed: the font keeps its height and is narrowed
// (QFont::setStretch) just enough for the text to fit, never below
// kMinStretch percent. A text that fits is drawn in the font as it is.
#ifndef ZUBA_FRONTEND_QT_TEXTFIT_H_
#define ZUBA_FRONTEND_QT_TEXTFIT_H_

#include <QFont>
#include <QRect>
#include <QString>

namespace zuba::qt {

// The narrowest a caption is drawn, in percent of the font's width.
constexpr int kMinStretch = 80;

// Whether `text` drawn in `box` with the QPainter text `flags` (alignment,
// word wrap, single line) needs no more than the box: no line wider, no
// more lines than it holds. The last line's descent may run past the box
// (Japanese text leaves it empty), and a box lower than one line still
// shows the line.
bool Fits(const QFont& font, const QString& text, const QRect& box, int flags);

// `font`, narrowed by the least stretch at which `text` Fits the box; at
// kMinStretch when even that does not fit.
QFont FitToBox(const QFont& font, const QString& text, const QRect& box, int flags);

// A widget that draws a caption: where and how, so that the caption is drawn
// in the font that fits it and so that anyone can check that it does.
class Captioned {
 public:
  virtual ~Captioned() = default;
  virtual QString CaptionText() const = 0;
  // The room the caption is drawn in, and the QPainter text flags.
  virtual QRect CaptionBox() const = 0;
  virtual int CaptionFlags() const = 0;
  // The font the caption is drawn in.
  QFont CaptionFont() const;
  // Whether the caption is drawn whole.
  bool CaptionFits() const;

 protected:
  // The widget's own font.
  virtual QFont BaseFont() const = 0;
};

}  // namespace zuba::qt

#endif  // ZUBA_FRONTEND_QT_TEXTFIT_H_
