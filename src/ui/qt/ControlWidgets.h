// The widgets the renderer draws itself, where a stock Qt widget would not
// keep the model's exact bounds and look: labels, panels with bevels, group
// boxes whose children sit relative to the box's own corner, check boxes
// and radio buttons with wrapping captions on either side, and the status
// bar. They only paint what they are given; the renderer feeds them from
// the model and routes their input to it. Each draws its caption condensed
// where the window font would cut it off (TextFit), and disabled in the
// etched grey of Windows.
#ifndef ZUBA_UI_QT_CONTROLWIDGETS_H_
#define ZUBA_UI_QT_CONTROLWIDGETS_H_

#include <QString>
#include <QWidget>

namespace zuba::qt {

enum class BevelKind { kNone, kLowered, kRaised };

// A label: its caption at the top, aligned left, right or centred, on one
// line per line break or wrapped at words.
class LabelWidget : public QWidget {
 public:
  explicit LabelWidget(QWidget* parent);
  void SetCaption(const QString& caption);
  QString Caption() const { return caption_; }
  void SetLayout(Qt::Alignment horizontal, bool wordWrap);
  Qt::Alignment Alignment() const { return alignment_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
  Qt::Alignment alignment_ = Qt::AlignLeft;
  bool wordWrap_ = false;
};

class PanelWidget : public QWidget {
 public:
  explicit PanelWidget(QWidget* parent);
  void SetBevels(BevelKind inner, BevelKind outer);
  void SetCaption(const QString& caption, Qt::Alignment alignment);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  BevelKind inner_ = BevelKind::kNone;
  BevelKind outer_ = BevelKind::kRaised;
  QString caption_;
  Qt::Alignment alignment_ = Qt::AlignCenter;
};

// A group box (also the frame of a radio group): an etched frame whose top
// runs through the middle of the caption.
class GroupBoxWidget : public QWidget {
 public:
  explicit GroupBoxWidget(QWidget* parent);
  void SetCaption(const QString& caption);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
};

// A check box (two or three states) or a radio button.
class CheckWidget : public QWidget {
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

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool radio_;
  Mark mark_ = Mark::kUnchecked;
  QString caption_;
  bool wordWrap_ = false;
  Qt::Alignment vertical_ = Qt::AlignVCenter;
  bool captionLeft_ = false;
};

class StatusBarWidget : public QWidget {
 public:
  explicit StatusBarWidget(QWidget* parent);
  void SetText(const QString& text);
  QString Text() const { return text_; }
  void SetSizeGrip(bool sizeGrip);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  bool sizeGrip_ = true;
};

}  // namespace zuba::qt

#endif  // ZUBA_UI_QT_CONTROLWIDGETS_H_
