#include "desktop/code_editor.h"

#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>

namespace desktop {

namespace {

// The error colour of the lessons' pages, and what an error's place and line are tinted with.
const QColor kErrorInk(0xB0, 0x00, 0x00);
const QColor kErrorLine(0xFF, 0xE0, 0xE0);
const QColor kErrorSpan(0xFF, 0xB8, 0xB8);

bool IsModifier(int key) {
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
         key == Qt::Key_Meta || key == Qt::Key_AltGr;
}

}  // namespace

// The strip beside the editor where its lines are numbered; the editor paints it.
class LineNumbers final : public QWidget {
 public:
  explicit LineNumbers(CodeEditor* editor) : QWidget(editor), editor_(editor) {}
  QSize sizeHint() const override { return {editor_->NumbersWidth(), 0}; }

 protected:
  void paintEvent(QPaintEvent* event) override { editor_->PaintNumbers(event); }

 private:
  CodeEditor* editor_;
};

CodeEditor::CodeEditor(QWidget* parent) : QPlainTextEdit(parent), numbers_(new LineNumbers(this)) {
  setLineWrapMode(QPlainTextEdit::NoWrap);  // a line of the program is a line on the screen
  setTabChangesFocus(false);
  connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { FitNumbers(); });
  connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int down) {
    if (down != 0) {
      numbers_->scroll(0, down);
    } else {
      numbers_->update(0, rect.y(), numbers_->width(), rect.height());
    }
  });
  FitNumbers();
}

int CodeEditor::NumbersWidth() const {
  int digits = 2;
  for (int lines = blockCount(); lines >= 100; lines /= 10)
    ++digits;
  return 12 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * digits;
}

void CodeEditor::FitNumbers() {
  setViewportMargins(NumbersWidth(), 0, 0, 0);
  const QRect inside = contentsRect();
  numbers_->setGeometry(inside.left(), inside.top(), NumbersWidth(), inside.height());
  numbers_->update();
}

void CodeEditor::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  FitNumbers();
}

void CodeEditor::changeEvent(QEvent* event) {
  QPlainTextEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange) FitNumbers();
}

void CodeEditor::PaintNumbers(QPaintEvent* event) {
  QPainter painter(numbers_);
  painter.fillRect(event->rect(), palette().color(QPalette::Window));
  painter.setFont(font());
  const int marked = marked_ ? marked_->line - 1 : -1;
  QTextBlock block = firstVisibleBlock();
  int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
  while (block.isValid() && top <= event->rect().bottom()) {
    const int bottom = top + qRound(blockBoundingRect(block).height());
    if (block.isVisible() && bottom >= event->rect().top()) {
      const bool current = block.blockNumber() == marked;
      painter.setPen(current ? (marked_error_ ? kErrorInk : palette().color(QPalette::Text))
                             : palette().color(QPalette::PlaceholderText));
      painter.drawText(0, top, numbers_->width() - 6, bottom - top,
                       Qt::AlignRight | Qt::AlignVCenter, QString::number(block.blockNumber() + 1));
    }
    block = block.next();
    top = bottom;
  }
}

void CodeEditor::ShowDocument(QTextDocument* document) {
  if (document == this->document()) return;
  document->setDefaultFont(font());
  setDocument(document);
  marked_.reset();
  marked_error_ = false;
  setExtraSelections({});
  FitNumbers();
}

void CodeEditor::Replace(const QString& text) {
  QTextCursor all(document());
  all.select(QTextCursor::Document);
  all.insertText(text);
}

void CodeEditor::Mark(std::optional<language::Place> place, bool error) {
  if (place == marked_ && error == marked_error_) return;
  marked_ = place;
  marked_error_ = error;
  QList<QTextEdit::ExtraSelection> marks;
  const QTextBlock block = place ? document()->findBlockByNumber(place->line - 1) : QTextBlock();
  if (block.isValid()) {
    QColor line = palette().color(QPalette::Highlight);
    QColor span = line;
    line.setAlpha(40);
    span.setAlpha(110);
    QTextEdit::ExtraSelection whole;
    whole.cursor = QTextCursor(block);
    whole.format.setBackground(error ? kErrorLine : line);
    whole.format.setProperty(QTextFormat::FullWidthSelection, true);
    marks.append(whole);
    // What the place covers, within its line: at least the one character it points at.
    const int last = block.length() - 1;  // the line's end
    const int from = std::clamp(place->column, 0, last);
    const int to = std::clamp(from + std::max(place->length, 1), from, std::max(last, from));
    QTextEdit::ExtraSelection part;
    part.cursor = QTextCursor(block);
    part.cursor.setPosition(block.position() + from);
    part.cursor.setPosition(block.position() + to, QTextCursor::KeepAnchor);
    part.format.setBackground(error ? kErrorSpan : span);
    if (error) {
      part.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
      part.format.setUnderlineColor(kErrorInk);
    }
    marks.append(part);
    if (error) {
      QTextCursor caret(block);
      caret.setPosition(block.position() + from);
      setTextCursor(caret);
    }
    ScrollTo(block);
  }
  setExtraSelections(marks);
  numbers_->update();
}

// Scrolls the marked line into view, to the middle of the editor where it was out of it; each
// line is one line on the screen, which the scroll bar counts.
void CodeEditor::ScrollTo(const QTextBlock& block) {
  QScrollBar* bar = verticalScrollBar();
  const int shown = std::max(1, viewport()->height() / fontMetrics().lineSpacing());
  const int line = block.blockNumber();
  if (line < bar->value() || line >= bar->value() + shown) bar->setValue(line - shown / 2);
}

void CodeEditor::focusOutEvent(QFocusEvent* event) {
  leaving_ = false;
  QPlainTextEdit::focusOutEvent(event);
}

void CodeEditor::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (IsModifier(key)) {  // a Shift on its way to Shift+Tab leaves the leave armed
    QPlainTextEdit::keyPressEvent(event);
    return;
  }
  const bool tab = key == Qt::Key_Tab || key == Qt::Key_Backtab;
  const bool back = key == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
  const bool armed = leaving_;
  leaving_ = false;
  if (tab && (event->modifiers() & Qt::ControlModifier)) {
    event->ignore();  // Ctrl+Tab switches the window's pages
    return;
  }
  if (key == Qt::Key_Escape) {
    leaving_ = true;  // and the window stays open
    return;
  }
  if (tab && armed) {
    QWidget::focusNextPrevChild(!back);
    return;
  }
  if (tab) {
    if (!back) {
      QTextCursor caret = textCursor();
      caret.insertText(QStringLiteral("    "));
      setTextCursor(caret);
    }
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

}  // namespace desktop
