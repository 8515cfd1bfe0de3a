#include "desktop/help_window.h"

#include <QTextBrowser>
#include <QVBoxLayout>

#include "desktop/labels.h"
#include "language/help.h"
#include "lessons/write.h"

namespace desktop {

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), text_(new QTextBrowser(this)) {
  setWindowTitle(Text(lessons::write::kHelpLabel));
  setAttribute(Qt::WA_WindowPropagation);  // the page's font
  text_->setAccessibleName(Text(lessons::write::kHelpLabel));
  text_->setOpenLinks(false);
  text_->setHtml(Html(Text(language::HelpText())));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  resize(620, 560);
}

QString HelpWindow::Html(const QString& help) {
  QString html;
  for (const QString& part : help.split(QStringLiteral("\n\n"))) {
    const QStringList lines = part.split(QLatin1Char('\n'));
    bool example = true;
    for (const QString& line : lines)
      example = example && line.startsWith(QStringLiteral("    "));
    if (example) {
      QStringList code;
      for (const QString& line : lines)
        code << line.mid(4).toHtmlEscaped();
      html += QStringLiteral("<pre style=\"font-family: 'Liberation Mono', monospace\">") +
              code.join(QLatin1Char('\n')) + QStringLiteral("</pre>");
    } else if (lines.size() == 1 && !part.endsWith(QLatin1Char('.')) &&
               !part.endsWith(QLatin1Char(':'))) {
      html += QStringLiteral("<h3>") + part.toHtmlEscaped() + QStringLiteral("</h3>");
    } else {
      html += QStringLiteral("<p>") + part.toHtmlEscaped() + QStringLiteral("</p>");
    }
  }
  return html;
}

}  // namespace desktop
