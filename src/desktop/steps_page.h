#pragma once

#include <QTimer>
#include <QWidget>
#include <array>

#include "lessons/steps.h"

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace desktop {

class SquaresCanvas;

// The steps page of the picture window: the search's program with its current line, the values,
// the step's sentence, the rows so far and the rectangle of the step, all as the core gives
// them, with the buttons and keys that move through the steps and play them.
class StepsPage final : public QWidget {
 public:
  StepsPage(lessons::steps::Walkthrough& steps, QWidget* parent);

  // Shows the core's step again.
  void Refresh();

  QListWidget* Program() const { return program_; }
  QTableWidget* Values() const { return values_; }
  QTableWidget* Rows() const { return rows_; }
  QLabel* Sentence() const { return sentence_; }
  QLabel* Counter() const { return counter_; }
  QLabel* Axes() const { return axes_; }
  SquaresCanvas* Canvas() const { return canvas_; }
  QPushButton* Button(lessons::steps::Command command) const {
    return buttons_[static_cast<size_t>(command)];
  }
  QComboBox* Speed() const { return speed_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  // The page's keys reach it from its buttons too, which would move the focus on the arrows.
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The steps stop playing when the page is no longer seen.
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void ShowRows();
  void FitColumns();

  lessons::steps::Walkthrough& steps_;
  QListWidget* program_;
  QTableWidget* values_;
  QLabel* sentence_;
  QTableWidget* rows_;
  SquaresCanvas* canvas_;
  QLabel* rectangle_words_;
  QLabel* axes_ = nullptr;
  std::array<QPushButton*, lessons::steps::kCommandNames.size()> buttons_{};
  QComboBox* speed_;
  QLabel* counter_;
  QTimer player_;
  int shown_run_ = -1;  // the rows table's run, row count and marked row as last shown
  int shown_rows_ = -1;
  int shown_mark_ = -2;
};

}  // namespace desktop
