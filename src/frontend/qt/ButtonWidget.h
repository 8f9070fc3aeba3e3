// A push button drawn as Windows draws a button with a glyph: the bevel,
// then the glyph and the caption as one group centred on the button, the
// glyph left of the caption or above it, 4 pixels apart, both shifted by a
// pixel while the button is down. A caption that would be cut off is drawn
// condensed (TextFit); disabled, the glyph is embossed and the caption
// etched. Clicks and keys are the renderer's: the widget only paints.
#ifndef ZUBA_FRONTEND_QT_BUTTONWIDGET_H_
#define ZUBA_FRONTEND_QT_BUTTONWIDGET_H_

#include <QPixmap>
#include <QToolButton>

#include "frontend/qt/TextFit.h"

namespace zuba::qt {

class ButtonWidget : public QToolButton, public Captioned {
 public:
  explicit ButtonWidget(QWidget* parent);

  // The glyph as drawn enabled and disabled (null pixmaps: none), and
  // whether it sits above the caption instead of left of it (a glyph meant
  // right of or below the caption is drawn left of or above it).
  void SetGlyph(const QPixmap& enabled, const QPixmap& disabled, bool above);
  bool HasGlyph() const { return !glyph_.isNull(); }
  bool GlyphAbove() const { return above_; }

  QString CaptionText() const override { return text(); }
  // The room beside or below the glyph; the caption is centred in it.
  QRect CaptionBox() const override;
  int CaptionFlags() const override;

 protected:
  QFont BaseFont() const override { return font(); }
  void paintEvent(QPaintEvent* event) override;

 private:
  // Inside the bevel, not yet shifted for a pressed button.
  QRect Content() const;
  int Spacing() const;


  QPixmap glyph_;
  QPixmap disabledGlyph_;
  bool above_ = false;
};

}  // namespace zuba::qt

#endif  // ZUBA_FRONTEND_QT_BUTTONWIDGET_H_
