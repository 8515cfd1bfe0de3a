#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "lessons/practice.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace desktop {

class ChartCanvas;
class NumberBox;
class SquaresCanvas;

// "Опитай сам", the third page of the lessons' window: the level, the task, the two sides in
// number boxes that keep what is typed, the buttons, the verdict, the live drawing and the chart,
// all as the core's practice gives them; at the fifth level, the frame of each row in a third box,
// with what it counts, and the rows given so far in place of the chart. The page passes on what
// the pupil does; Enter in a number box checks. "Виж как го намира програмата" goes to
// `show_in_program`.
class PracticePage final : public QWidget {
 public:
  PracticePage(lessons::practice::Practice& practice, std::function<void()> show_in_program,
               QWidget* parent);

  // Shows the core's practice again.
  void Refresh();
  // Puts the focus where the page begins: the level, or the first number box while it is in use.
  void TakeFocus();

  QComboBox* Level() const { return level_; }
  NumberBox* Box(lessons::practice::Box box) const { return boxes_[static_cast<size_t>(box)]; }
  NumberBox* Across() const { return Box(lessons::practice::Box::kAcross); }
  NumberBox* Down() const { return Box(lessons::practice::Box::kDown); }
  NumberBox* Frame() const { return Box(lessons::practice::Box::kFrame); }
  QLabel* FrameNote() const { return frame_note_; }
  QLabel* Axes() const { return axes_; }
  QLabel* ShowInProgramNote() const { return show_note_; }
  QTableWidget* Rows() const { return rows_; }
  QPushButton* Button(lessons::practice::Button button) const {
    return buttons_[static_cast<size_t>(button)];
  }
  QLabel* Task() const { return task_; }
  QLabel* Proverb() const { return proverb_; }
  QLabel* Progress() const { return progress_; }
  QLabel* Verdict() const { return verdict_; }
  QLabel* DrawingLine() const { return drawing_line_; }
  QLabel* Score() const { return score_; }
  QLabel* Best() const { return best_; }
  SquaresCanvas* Drawing() const { return drawing_; }
  ChartCanvas* Chart() const { return chart_; }
  QLabel* ChartSentence() const { return chart_sentence_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Press(lessons::practice::Button button);

  lessons::practice::Practice& practice_;
  std::function<void()> show_in_program_;
  QComboBox* level_;
  QLabel* progress_;
  QLabel* task_;
  QLabel* proverb_;
  std::array<NumberBox*, 3> boxes_{};
  std::array<QLabel*, 3> box_labels_{};
  QLabel* frame_note_;
  std::array<QPushButton*, lessons::practice::kButtonNames.size()> buttons_{};
  QLabel* verdict_;
  SquaresCanvas* drawing_;
  QLabel* drawing_line_;
  ChartCanvas* chart_;
  QLabel* chart_sentence_;
  QLabel* rows_label_;
  QTableWidget* rows_;
  QLabel* score_;
  QLabel* best_;
  QLabel* show_note_;
  QLabel* axes_ = nullptr;
  int read_checks_ = -1;  // the verdict last given to a screen reader
};

}  // namespace desktop
