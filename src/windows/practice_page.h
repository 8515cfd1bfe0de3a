#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>

#include "lessons/practice.h"
#include "windows/screen.h"

namespace windows {

class ChartCanvas;
class SquaresCanvas;

// "Опитай сам", the third page of the lessons' window, a child window of its own on the standard
// controls: the level in a drop-down list, the task, the two sides in number boxes with their
// arrows, which keep what is typed, the buttons, the verdict, the live drawing and the chart, all
// as the core's practice gives them; at the fifth level, the frame of each row in a third box with
// what it counts, and the rows given so far in place of the chart. The page passes on what the
// pupil does; Enter in a number box checks, on a button presses it. "Виж как го намира
// програмата" goes to `show_in_program`.
class PracticePage {
 public:
  PracticePage(lessons::practice::Practice& practice, HWND parent,
               std::function<void()> show_in_program);
  ~PracticePage();
  PracticePage(const PracticePage&) = delete;
  PracticePage& operator=(const PracticePage&) = delete;

  HWND Handle() const { return window_; }
  void Refresh();
  // Puts the focus where the page begins: the first number box while it is in use, else the
  // level.
  void TakeFocus();
  void Place(const RECT& area, int dpi, HFONT font);
  // Enter, with the focus on `focused`.
  void Enter(HWND focused);

  HWND Level() const { return level_; }
  HWND Across() const { return sides_[0]; }
  HWND Down() const { return sides_[1]; }
  HWND Frame() const { return sides_[2]; }
  HWND FrameNote() const { return frame_note_; }
  HWND Axes() const { return axes_; }
  HWND ShowInProgramNote() const { return show_note_; }
  HWND Arrows(int side) const { return arrows_[static_cast<size_t>(side)]; }
  HWND Rows() const { return rows_; }
  HWND Button(lessons::practice::Button button) const {
    return buttons_[static_cast<size_t>(button)];
  }
  HWND Task() const { return task_; }
  HWND Progress() const { return progress_; }
  HWND Verdict() const { return verdict_; }
  HWND DrawingLine() const { return drawing_line_; }
  HWND ChartSentence() const { return chart_sentence_; }
  HWND Score() const { return score_; }
  HWND Stars() const { return stars_; }
  HWND Best() const { return best_; }
  const SquaresCanvas& Drawing() const { return *drawing_; }
  const ChartCanvas& Chart() const { return *chart_; }

 private:
  friend LRESULT CALLBACK Forward<PracticePage>(HWND, UINT, WPARAM, LPARAM);
  LRESULT Receive(UINT message, WPARAM wparam, LPARAM lparam);
  void Press(lessons::practice::Button button);
  void Edited(int side);
  void ShowSide(int side);
  void PlaceButtons();
  // The line of the boxes and what their names mean after the last one shown.
  void PlaceBoxes();
  std::array<bool, lessons::practice::kButtonNames.size()> placed_{};  // the buttons shown

  lessons::practice::Practice& practice_;
  std::function<void()> show_in_program_;
  HWND window_ = nullptr;
  HWND level_label_ = nullptr;
  HWND level_ = nullptr;
  HWND progress_ = nullptr;
  HWND task_ = nullptr;
  HWND proverb_ = nullptr;
  std::array<HWND, 3> side_labels_{};  // the two sides, and the frame at the fifth level
  std::array<HWND, 3> sides_{};
  std::array<HWND, 3> arrows_{};
  HWND frame_note_ = nullptr;  // on a line of its own under the boxes
  HWND axes_ = nullptr;  // what "по абсциса" and "по ордината" mean, after the boxes
  HWND show_note_ = nullptr;  // what "Виж как го намира програмата" will change
  std::array<HWND, lessons::practice::kButtonNames.size()> buttons_{};
  HWND verdict_ = nullptr;
  std::unique_ptr<SquaresCanvas> drawing_;
  HWND drawing_line_ = nullptr;
  std::unique_ptr<ChartCanvas> chart_;
  HWND chart_sentence_ = nullptr;
  HWND rows_label_ = nullptr;
  HWND rows_ = nullptr;
  HWND score_ = nullptr;
  HWND stars_ = nullptr;
  HWND best_ = nullptr;
  int dpi_ = 96;         // as the page was last placed
  int buttons_top_ = 0;  // where its line of buttons stands
  int sides_top_ = 0;    // and its line of boxes
  HFONT score_font_ = nullptr;
  HFONT stars_font_ = nullptr;
  bool mirroring_ = false;  // set while a number box is made to show the practice
  int read_checks_ = -1;    // the verdict last given to a screen reader
};

}  // namespace windows
