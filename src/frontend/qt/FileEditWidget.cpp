#include "frontend/qt/FileEditWidget.h"

#include <algorithm>

#include "frontend/qt/ButtonWidget.h"
#include "frontend/qt/Glyphs.h"

namespace zuba::qt {
namespace {

constexpr int kFrame = 2;         // the edit's sunken frame
constexpr int kButtonWidth = 21;  // at most a third of the edit

}  // namespace

FileEditWidget::FileEditWidget(QWidget* parent)
    : QLineEdit(parent), button_(new ButtonWidget(this)) {
  button_->setObjectName("Browse");
  button_->setFocusPolicy(Qt::NoFocus);
  button_->setCursor(Qt::ArrowCursor);
  button_->SetGlyph(GlyphPixmap("Browse", true), GlyphPixmap("Browse", false), false);
  connect(button_, &QToolButton::clicked, this, &FileEditWidget::Browse);
}

void FileEditWidget::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  int buttonHeight = std::max(height() - 2 * kFrame, 0);
  int buttonWidth = std::min(kButtonWidth, width() / 3);
  button_->setGeometry(width() - kFrame - buttonWidth, kFrame, buttonWidth, buttonHeight);
  setTextMargins(0, 0, buttonWidth, 0);
}

}  // namespace zuba::qt
