// The widgets the renderer draws itself, where a stock Qt widget would not
// keep the model's exact bounds and look: labels, panels with bevels, group
// boxes whose children sit relative to the box's own corner, check boxes
// and radio buttons with wrapping captions on either side, drop-down lists
// in the control's colour, and the status bar. They only paint what they
// are given; the renderer feeds them from the model and routes their input
// to it. Each draws its caption condensed where the window font would cut
// it off (Captioned), and disabled in the etched grey of Windows.
#ifndef ZUBA_FRONTEND_QT_CONTROLWIDGETS_H_
#define ZUBA_FRONTEND_QT_CONTROLWIDGETS_H_

#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <QWidget>

#include "frontend/qt/TextFit.h"

namespace zuba::qt {

enum class BevelKind { kNone, kLowered, kRaised };

// A label: its caption at the top, aligned left, right or centred, on one
// line per line break or wrapped at words.
class LabelWidget : public QWidget, public Captioned {
 public:
  explicit LabelWidget(QWidget* parent);
  void SetCaption(const QString& caption);
  void SetLayout(Qt::Alignment horizontal, bool wordWrap);
  Qt::Alignment Alignment() const { return alignment_; }

  QString CaptionText() const override { return caption_; }
  QRect CaptionBox() const override { return rect(); }
  int CaptionFlags() const override;

 protected:
  QFont BaseFont() const override { return font(); }
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
  Qt::Alignment alignment_ = Qt::AlignLeft;
  bool wordWrap_ = false;
};

class PanelWidget : public QWidget, public Captioned {
 public:
  explicit PanelWidget(QWidget* parent);
  void SetBevels(BevelKind inner, BevelKind outer);
  void SetCaption(const QString& caption, Qt::Alignment alignment);

  QString CaptionText() const override { return caption_; }
  QRect CaptionBox() const override;
  int CaptionFlags() const override;

 protected:
  QFont BaseFont() const override { return font(); }
  void paintEvent(QPaintEvent* event) override;

 private:
  // Inside the bevels.
  QRect Inside() const;

  BevelKind inner_ = BevelKind::kNone;
  BevelKind outer_ = BevelKind::kRaised;
  QString caption_;
  Qt::Alignment alignment_ = Qt::AlignCenter;
};

// A group box (also the frame of a radio group): an etched frame whose top
// runs through the middle of the caption.
class GroupBoxWidget : public QWidget, public Captioned {
 public:
  explicit GroupBoxWidget(QWidget* parent);
  void SetCaption(const QString& caption);

  QString CaptionText() const override { return caption_; }
  QRect CaptionBox() const override;
  int CaptionFlags() const override { return Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine; }

 protected:
  QFont BaseFont() const override { return font(); }
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
};

// A check box (two or three states) or a radio button.
class CheckWidget : public QWidget, public Captioned {
 public:
  enum class Mark { kUnchecked, kChecked, kGrayed };
  CheckWidget(QWidget* parent, bool radio);
  void SetMark(Mark mark);
  Mark GetMark() const { return mark_; }
  void SetCaption(const QString& caption);
  QString Caption() const { return caption_; }
  // The caption wraps; it sits at the top, middle or bottom; it is left of
  // the box instead of right of it.
  void SetLayout(bool wordWrap, Qt::Alignment vertical, bool captionLeft);

  QString CaptionText() const override { return caption_; }
  QRect CaptionBox() const override;
  int CaptionFlags() const override;

 protected:
  QFont BaseFont() const override { return font(); }
  void paintEvent(QPaintEvent* event) override;

 private:
  bool radio_;
  Mark mark_ = Mark::kUnchecked;
  QString caption_;
  bool wordWrap_ = false;
  Qt::Alignment vertical_ = Qt::AlignVCenter;
  bool captionLeft_ = false;
};

// A combo box whose field, drop-down list or not, is filled with the
// control's colour (the classic style would paint a drop-down list's field
// in the button colour); the arrow keeps the button face.
class ComboWidget : public QComboBox {
 public:
  explicit ComboWidget(QWidget* parent) : QComboBox(parent) {}

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// A list box that shows every entry whole at its bounds: where the widest
// entry does not fit beside the scroll bar the entries need, they are
// drawn in the largest smaller size (narrowed too, down to kMinStretch) at
// which it does, never below two thirds of the font's height.
class ListWidget : public QListWidget {
 public:
  explicit ListWidget(QWidget* parent);
  // The font of the control; the entries are drawn in it or smaller.
  void SetBaseFont(const QFont& font);
  // Chooses the entries' font anew (after the entries changed).
  void FitEntries();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Whether every entry fits in `font`.
  bool EntriesFit(const QFont& font);
  QFont base_;
};

class StatusBarWidget : public QWidget, public Captioned {
 public:
  explicit StatusBarWidget(QWidget* parent);
  void SetText(const QString& text);
  QString Text() const { return text_; }
  void SetSizeGrip(bool sizeGrip);

  QString CaptionText() const override { return text_; }
  QRect CaptionBox() const override;
  int CaptionFlags() const override { return Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine; }

 protected:
  QFont BaseFont() const override { return font(); }
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  bool sizeGrip_ = true;
};

}  // namespace zuba::qt

#endif  // ZUBA_FRONTEND_QT_CONTROLWIDGETS_H_
