#pragma once

#include <QWidget>
#include <array>

#include "lessons/change.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTableWidget;

namespace desktop {

class ChartCanvas;
class NumberBox;

// "Промени програмата", the fourth page of the lessons' window: N in a number box, the search's
// program with a check box beside each line a switch changes and the legend of its names under it,
// the two other programs, the hunt for a wrong N; beside them the table of the four programs for N
// and the chart of their work, all as the core's page gives them. The page scrolls where the
// window is too small for it, and keeps the focused control in view. The page passes on what the
// pupil does.
class ChangePage final : public QWidget {
 public:
  ChangePage(lessons::change::Change& change, QWidget* parent);

  // Shows the core's page again.
  void Refresh();
  // Puts the focus where the page begins: the box of N.
  void TakeFocus();

  NumberBox* Count() const { return count_; }
  QLabel* CountNote() const { return count_note_; }
  QCheckBox* Switch(lessons::change::Part part) const {
    return switches_[static_cast<size_t>(part)];
  }
  QLabel* ProgramLine(int number) const { return lines_[static_cast<size_t>(number - 1)]; }
  QLabel* Legend() const { return legend_; }
  QTableWidget* Table() const { return table_; }
  ChartCanvas* Chart() const { return chart_; }
  QLabel* ChartSentence() const { return chart_sentence_; }
  QLabel* HuntHeading() const { return hunt_heading_; }
  QLabel* HuntTask() const { return hunt_task_; }
  QLineEdit* Guess() const { return guess_; }
  QPushButton* Button(lessons::change::Button button) const {
    return buttons_[static_cast<size_t>(button)];
  }
  QLabel* Said() const { return said_; }
  // What scrolls, and the page's controls in it.
  QScrollArea* Scroll() const { return scroll_; }
  QWidget* Content() const { return content_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FitTable();

  lessons::change::Change& change_;
  QScrollArea* scroll_;
  QWidget* content_;
  NumberBox* count_;
  QLabel* count_note_;
  std::vector<QLabel*> lines_;
  std::array<QCheckBox*, lessons::change::kParts> switches_{};
  QLabel* legend_;
  QTableWidget* table_;
  ChartCanvas* chart_;
  QLabel* chart_sentence_;
  QLabel* hunt_heading_;
  QLabel* hunt_task_;
  QLabel* guess_label_;
  QLineEdit* guess_;
  std::array<QPushButton*, lessons::change::kButtonNames.size()> buttons_{};
  QLabel* said_;
  int read_sayings_ = -1;  // what the hunt last said to a screen reader
};

}  // namespace desktop
