#pragma once

#include <QWidget>
#include <array>

#include "lessons/lessons.h"
#include "lessons/picture.h"
#include "window/model.h"

class QLabel;
class QTabWidget;

namespace desktop {

class ChangePage;
class PracticePage;
class SquaresCanvas;
class StepsPage;
class WritePage;

// The lessons' window beside the form, with five pages. "Картина": the selected row's squares as
// the core lays them out, painted in the core's colours, and under them the core's words, which
// are also what a screen reader reads for the picture. "Стъпка по стъпка": how the last run found
// its rows. "Опитай сам": the practice. "Промени програмата": the search changed by the pupil.
// "Напиши програмата": the search written by the pupil. It opens without taking the focus from the
// form when a row is opened, follows the form's selection and its runs, switches pages on Ctrl+Tab
// and Ctrl+Shift+Tab, and closes on Escape or its close box.
class PictureWindow final : public QWidget {
 public:
  PictureWindow(const window::Form& form, lessons::Lessons& lessons, QWidget* owner);

  // Reads the form's selected row again and repaints.
  void Refresh();
  // Shows the steps' new state, and the practice's.
  void RefreshSteps();
  void RefreshPractice();
  void RefreshChange();
  void RefreshWrite();
  // Shows a page: 0 the picture, 1 the steps, 2 the practice, 3 the program changed, 4 the program
  // written; with the focus on it, if asked.
  void ShowPage(int page, bool focus);
  const lessons::picture::Picture& Picture() const;
  // Where the squares are painted.
  QWidget* Canvas() const;
  QTabWidget* Pages() const { return pages_; }
  StepsPage* Steps() const { return steps_page_; }
  PracticePage* Practice() const { return practice_page_; }
  ChangePage* Change() const { return change_page_; }
  WritePage* Write() const { return write_page_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FocusPage(int page);
  void Opened(int page);

  const window::Form& form_;
  lessons::Lessons& lessons_;
  QTabWidget* pages_;
  SquaresCanvas* canvas_;
  QLabel* words_;
  StepsPage* steps_page_;
  PracticePage* practice_page_;
  ChangePage* change_page_;
  WritePage* write_page_;
  std::array<QSize, 4> laid_out_{};  // the sizes the pages were last laid out for
};

}  // namespace desktop
