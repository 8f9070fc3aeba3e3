#include "frontend/qt/HelpWindow.h"

#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <string>

#include "frontend/qt/QtText.h"

namespace zuba::qt {

HelpWindow::HelpWindow() : QWidget(nullptr, Qt::Window) {
  setObjectName("HelpWindow");
  setAttribute(Qt::WA_QuitOnClose, false);
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("HelpText");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  resize(420, 320);
  // Escape closes it, as it closes the help viewer of Windows.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void HelpWindow::ShowTopic(const toolkit::HelpFile& file, int context) {
  QString caption = file.Title().empty() ? ToQt("ヘルプ") : ToQt(file.Title());
  QString html;
  if (const toolkit::HelpTopic* topic = file.Topic(context)) {
    caption += QStringLiteral(" - ") + ToQt(topic->title);
    html = "<h3>" + ToQt(topic->title).toHtmlEscaped() + "</h3><p>";
    bool paragraphOpen = true;
    bool lineStarted = false;
    for (const std::string& line : topic->lines) {
      QString shown = ToQt(line).toHtmlEscaped();
      if (shown.trimmed().isEmpty()) {
        if (paragraphOpen) html += "</p>";
        paragraphOpen = false;
        lineStarted = false;
        continue;
      }
      if (!paragraphOpen) html += "<p>";
      paragraphOpen = true;
      if (lineStarted) html += "<br>";
      html += shown;
      lineStarted = true;
    }
    if (paragraphOpen) html += "</p>";
  } else {
    html = "<p>" +
           ToQt("このヘルプ ファイルにはトピック " + std::to_string(context) + " がありません。")
               .toHtmlEscaped() +
           "</p>";
  }
  setWindowTitle(caption);
  browser_->setHtml(html);
  show();
  raise();
  activateWindow();
}

QString HelpWindow::Text() const { return browser_->toPlainText(); }

}  // namespace zuba::qt
