// A file-name edit: a line edit with a small browse button at its right
// end, inside the edit's frame, the text stopping short of it. The button
// takes no focus; pressing it emits Browse (the renderer hands it to the
// model).
#ifndef ZUBA_FRONTEND_QT_FILEEDITWIDGET_H_
#define ZUBA_FRONTEND_QT_FILEEDITWIDGET_H_

#include <QLineEdit>

namespace zuba::qt {

class ButtonWidget;

class FileEditWidget : public QLineEdit {
  Q_OBJECT

 public:
  explicit FileEditWidget(QWidget* parent);
  ButtonWidget* BrowseButton() const { return button_; }

 signals:
  void Browse();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  ButtonWidget* button_;
};

}  // namespace zuba::qt

#endif  // ZUBA_FRONTEND_QT_FILEEDITWIDGET_H_
