#pragma once

#include <QDialog>

class QTextBrowser;

namespace desktop {

// "Какво може езикът": the language's reference, read-only and scrolling, in a window of its own
// beside the page; its headings as headings, its examples in the editor's fixed-width face. The
// keyboard scrolls it; Escape closes it.
class HelpWindow final : public QDialog {
 public:
  explicit HelpWindow(QWidget* parent);

  QTextBrowser* Reference() const { return text_; }

  // The reference as rich text: a part's heading, a line of its own without a full stop; its
  // paragraphs; its examples, the lines that begin with four blanks.
  static QString Html(const QString& help);

 private:
  QTextBrowser* text_;
};

}  // namespace desktop
