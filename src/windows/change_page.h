#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <vector>

#include "lessons/change.h"
#include "windows/screen.h"

namespace windows {

namespace change = lessons::change;

class ChartCanvas;

// "Промени програмата", the fourth page of the lessons' window, a child window of its own on the
// standard controls: N in a number box with its arrows, the search's program a line a label with a
// check box beside each line a switch changes and the legend of its names under it, the two other
// programs, the table of the four programs in a list view, the hunt for a wrong N, and the chart
// of their work, all as the core's page gives them. Where the page is taller than the window it
// scrolls up and down, and brings into view the control the keyboard reaches and what the hunt
// says. The page passes on what the pupil does; Enter in the hunt's box checks it.
class ChangePage {
 public:
  ChangePage(lessons::change::Change& change, HWND parent);
  ~ChangePage();
  ChangePage(const ChangePage&) = delete;
  ChangePage& operator=(const ChangePage&) = delete;

  HWND Handle() const { return window_; }
  void Refresh();
  // Puts the focus where the page begins: the box of N.
  void TakeFocus();
  void Place(const RECT& area, int dpi, HFONT font);
  // Enter, with the focus on `focused`.
  void Enter(HWND focused);

  HWND Count() const { return count_; }
  HWND CountNote() const { return count_note_; }
  HWND Switch(lessons::change::Part part) const { return switches_[static_cast<size_t>(part)]; }
  HWND ProgramLine(int number) const { return lines_[static_cast<size_t>(number - 1)]; }
  HWND Legend() const { return legend_; }
  HWND Table() const { return table_; }
  HWND HuntHeading() const { return hunt_label_; }
  HWND HuntTask() const { return hunt_task_; }
  HWND Guess() const { return guess_; }
  HWND Button(lessons::change::Button button) const {
    return buttons_[static_cast<size_t>(button)];
  }
  HWND Said() const { return said_; }
  HWND ChartSentence() const { return chart_sentence_; }
  const ChartCanvas& Chart() const { return *chart_; }
  // The text of a cell of the table, and the width of its column.
  std::wstring Cell(int row, int column) const;
  int ColumnWidth(int column) const;
  // How far the page is scrolled down, in pixels, and how tall it is.
  int Scrolled() const { return scroll_; }
  int Height() const { return content_height_; }

 private:
  friend LRESULT CALLBACK Forward<ChangePage>(HWND, UINT, WPARAM, LPARAM);
  LRESULT Receive(UINT message, WPARAM wparam, LPARAM lparam);
  void ShowCount();
  void FitColumns();
  void DrawLine(const DRAWITEMSTRUCT& item) const;
  // Lays the page out in its place, scrolled as it is, with a scroll bar where it is taller.
  void Arrange();
  // Puts every control in its place for the page's width, moving them where `move`; the page's
  // height.
  int LayOut(int width, bool move);
  // The page scrolled to `to`, within its height; and so that a control stands whole in view.
  void ScrollTo(int to);
  void ScrollToShow(HWND control);

  lessons::change::Change& change_;
  HWND window_ = nullptr;
  HWND program_label_ = nullptr;
  HWND count_label_ = nullptr;
  HWND count_ = nullptr;
  HWND arrows_ = nullptr;
  HWND count_note_ = nullptr;
  std::vector<HWND> lines_;          // each named by what a screen reader says of it
  std::vector<change::Line> shown_;  // what each shows
  std::array<HWND, lessons::change::kParts> switches_{};
  HWND legend_ = nullptr;
  HWND others_label_ = nullptr;
  HWND others_ = nullptr;
  HWND table_label_ = nullptr;
  HWND table_ = nullptr;
  HWND hunt_label_ = nullptr;
  HWND hunt_task_ = nullptr;
  HWND guess_label_ = nullptr;
  HWND guess_ = nullptr;
  std::array<HWND, lessons::change::kButtonNames.size()> buttons_{};
  HWND said_ = nullptr;
  HWND work_label_ = nullptr;
  std::unique_ptr<ChartCanvas> chart_;
  HWND chart_sentence_ = nullptr;
  RECT area_{};             // where the page stands in the lessons' window
  int scroll_ = 0;          // how far it is scrolled down
  int content_height_ = 0;  // how tall it is laid out
  int dpi_ = 96;
  HFONT font_ = nullptr;    // the page's, as it was last placed
  HFONT bold_ = nullptr;    // a changed line
  HFONT struck_ = nullptr;  // a line left out
  bool mirroring_ = false;  // set while a box is made to show the core's text
  int read_sayings_ = -1;   // what the hunt last said to a screen reader
};

}  // namespace windows
