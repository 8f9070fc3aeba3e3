// A push button drawn as Windows draws a button with a glyph: the bevel,
// then the glyph and the caption as one group centred on the button, the
// glyph left of the caption or above it, 4 pixels apart, both shifted by a
// pixel while the button is down. A caption that would be cut off is drawn
// condensed (TextFit); disabled, the glyph is embossed and the caption
// etched. Clicks and keys are the renderer's: the widget only paints.
#ifndef ZUBA_UI_QT_BUTTONWIDGET_H_
#define ZUBA_UI_QT_BUTTONWIDGET_H_

#include <QPixmap>
#include <QToolButton>

namespace zuba::qt {

class ButtonWidget : public QToolButton {
 public:
  explicit ButtonWidget(QWidget* parent);

  // The glyph as drawn enabled and disabled (null pixmaps: none), and
  // whether it sits above the caption instead of left of it (a glyph meant
  // right of or below the caption is drawn left of or above it).
  void SetGlyph(const QPixmap& enabled, const QPixmap& disabled, bool above);
  bool HasGlyph() const { return !glyph_.isNull(); }
  bool GlyphAbove() const { return above_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap glyph_;
  QPixmap disabledGlyph_;
  bool above_ = false;
};

}  // namespace zuba::qt

#endif  // ZUBA_UI_QT_BUTTONWIDGET_H_
