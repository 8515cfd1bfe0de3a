#pragma once

#include <QPlainTextEdit>
#include <optional>

#include "language/error.h"

namespace desktop {

// The editor of a pupil's program: Qt's own plain text editor, its undo, clipboard and selection,
// in a fixed-width face, with the lines numbered beside it. Tab puts in four blanks; Escape does
// not close the window but lets the next Tab or Shift+Tab leave the editor, as on any other
// control; any other key takes that back. It marks a place of the text, a step's or an error's:
// its line across the whole width, and what it covers on that line.
class CodeEditor final : public QPlainTextEdit {
 public:
  explicit CodeEditor(QWidget* parent);

  // Shows a document of its own, with its own undo; the marks go.
  void ShowDocument(QTextDocument* document);
  // Marks a place, or none; an error's in the error colour, with the caret put there.
  void Mark(std::optional<language::Place> place, bool error);
  // The whole text replaced by `text` in one edit, which undo takes back.
  void Replace(const QString& text);
  // Whether Escape has made the next Tab leave the editor.
  bool Leaving() const { return leaving_; }
  // The width the line numbers take, and their strip, for the view to paint.
  int NumbersWidth() const;
  QWidget* Numbers() const { return numbers_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  friend class LineNumbers;
  void PaintNumbers(QPaintEvent* event);
  void FitNumbers();
  void ScrollTo(const QTextBlock& block);

  QWidget* numbers_;
  bool leaving_ = false;
  std::optional<language::Place> marked_;
  bool marked_error_ = false;
};

}  // namespace desktop
