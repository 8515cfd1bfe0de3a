#pragma once

#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

#include "lessons/write.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;
class QTextDocument;
class QToolButton;

namespace desktop {

class CodeEditor;
class HelpWindow;
class NumberBox;

// "Напиши програмата", the fifth page of the lessons' window: the task and its check on top; on
// the left the pupil's program in an editor of its own, with the buttons that put in the signs a
// keyboard lacks, start it anew, open and save it, and the language's help, and under it what the
// page says; on the right N, the run and its steps, the values, the output, the pupil's rows
// beside the lesson's, and the work. All of it as the core's page gives it: the page passes on
// what the pupil does, and keeps each task's text in an editor document of its own, so that undo
// stays within the task.
class WritePage final : public QWidget {
 public:
  WritePage(lessons::write::Write& write, QWidget* parent);

  // Shows the core's page again.
  void Refresh();
  // Puts the focus where the pupil works: the editor.
  void TakeFocus();

  // "Започни от" with a start, "Отвори…" with the file chosen, "Запази като…" with the file
  // named: what the page does once its dialog has been answered.
  void Start(int start);
  void OpenFile(const QString& path);
  void SaveFile(const QString& path);
  // Asks the pupil a yes-or-no question before a text is replaced; a message box, unless set.
  void SetQuestion(std::function<bool(const QString&)> ask) { ask_ = std::move(ask); }

  QComboBox* Task() const { return task_; }
  QLabel* TaskText() const { return task_text_; }
  CodeEditor* Editor() const { return editor_; }
  QToolButton* Sign(size_t sign) const { return signs_[sign]; }
  QPushButton* StartButton() const { return start_; }
  QPushButton* OpenButton() const { return open_; }
  QPushButton* SaveButton() const { return save_; }
  QPushButton* HelpButton() const { return help_; }
  HelpWindow* Help() const { return help_window_; }
  QPushButton* Button(lessons::write::Command command) const {
    return buttons_[static_cast<size_t>(command)];
  }
  NumberBox* Count() const { return count_; }
  QLabel* CountNote() const { return count_note_; }
  QLabel* Message() const { return message_; }
  QLabel* Counter() const { return counter_; }
  QLabel* Verdict() const { return verdict_; }
  QTableWidget* Values() const { return values_; }
  QListWidget* Output() const { return output_; }
  QTableWidget* YourRows() const { return your_rows_; }
  QTableWidget* LessonRows() const { return lesson_rows_; }
  QLabel* Work() const { return work_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void FitFonts();
  void ShowText();
  void ShowValues();
  void ShowOutput();
  void ShowRows(QTableWidget* table, const std::vector<lessons::write::ShownRow>& rows);
  void Announce();
  void AskToOpen();
  void AskToSave();
  void ShowHelp();

  lessons::write::Write& write_;
  QComboBox* task_;
  QLabel* task_text_;
  QLabel* verdict_;
  std::array<QToolButton*, lessons::write::kSigns.size()> signs_{};
  QPushButton* start_;
  QPushButton* open_;
  QPushButton* save_;
  QPushButton* help_;
  CodeEditor* editor_;
  std::array<QTextDocument*, lessons::write::kTasks.size()> documents_{};
  QLabel* message_;
  QLabel* counter_;
  NumberBox* count_;
  QLabel* count_note_;
  std::array<QPushButton*, lessons::write::kCommandNames.size()> buttons_{};
  QTableWidget* values_;
  QListWidget* output_;
  QTableWidget* your_rows_;
  QTableWidget* lesson_rows_;
  QLabel* work_;
  HelpWindow* help_window_ = nullptr;
  QTimer checker_;  // runs the check a slice at a time while it checks
  std::function<bool(const QString&)> ask_;
  QString folder_;         // where the file dialogs open
  bool showing_ = false;   // while the page puts the core's text into the editor
  int read_sayings_ = -1;  // what the page last gave a screen reader
};

}  // namespace desktop
