#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "lessons/steps.h"
#include "windows/screen.h"

namespace windows {

class SquaresCanvas;

// The steps page of the picture window, a child window of its own on the standard controls: the
// search's program in a list box with the current line selected and pointed at, the values and
// the rows so far in list boxes, the step's sentence, the rectangle of the step painted as the
// picture paints a row, and the buttons, the speed and the counter. Everything shown comes from
// the core's steps; the page passes on the user's clicks and keys. The arrows, Home, End,
// Page Up and Page Down move through the steps wherever the focus is on the page; Space presses
// the focused button, as everywhere.
class StepsPage {
 public:
  StepsPage(lessons::steps::Walkthrough& steps, HWND parent);
  ~StepsPage();
  StepsPage(const StepsPage&) = delete;
  StepsPage& operator=(const StepsPage&) = delete;

  HWND Handle() const { return window_; }
  void Refresh();
  // Shows or hides the page; hidden, its steps stop playing.
  void Show(bool shown);
  void StopPlaying() { steps_.SetPlaying(false); }
  // Puts the focus on the first button in use, or on the page itself.
  void TakeFocus();
  void Place(const RECT& area, int dpi, HFONT font);

  HWND Program() const { return program_; }
  HWND Values() const { return values_; }
  HWND Rows() const { return rows_; }
  HWND Sentence() const { return sentence_; }
  HWND Counter() const { return counter_; }
  HWND Axes() const { return axes_; }
  HWND Speed() const { return speed_; }
  HWND Button(lessons::steps::Command command) const {
    return buttons_[static_cast<size_t>(command)];
  }
  const SquaresCanvas& Canvas() const { return *canvas_; }

  // A key of the page, from the page or any of its controls; true where it was one.
  bool Key(WPARAM key, bool from_button);

 private:
  friend LRESULT CALLBACK Forward<StepsPage>(HWND, UINT, WPARAM, LPARAM);
  // The page's keys from its buttons, which would move the focus on the arrows.
  static LRESULT CALLBACK ButtonKeys(HWND button, UINT message, WPARAM wparam, LPARAM lparam,
                                     UINT_PTR id, DWORD_PTR page);
  LRESULT Receive(UINT message, WPARAM wparam, LPARAM lparam);
  void ShowRows();
  void FitValues(HFONT font);

  lessons::steps::Walkthrough& steps_;
  HWND window_ = nullptr;
  HWND program_ = nullptr;
  HWND values_ = nullptr;
  HWND sentence_ = nullptr;
  HWND rows_ = nullptr;
  HWND words_ = nullptr;
  std::array<HWND, 3> headings_{};
  HWND axes_ = nullptr;  // what "по абсциса" and "по ордината" mean, beside the rows' heading
  std::array<HWND, lessons::steps::kCommandNames.size()> buttons_{};
  HWND speed_label_ = nullptr;
  HWND speed_ = nullptr;
  HWND counter_ = nullptr;
  std::unique_ptr<SquaresCanvas> canvas_;
  // Each value's name and meaning, in the lines that fit their columns.
  std::vector<std::vector<std::wstring>> names_;
  std::vector<std::vector<std::wstring>> meanings_;
  bool timer_ = false;
  int timer_interval_ = 0;
  int shown_run_ = -1;  // the rows list's run, row count and marked row as last shown
  int shown_rows_ = -1;
  int shown_mark_ = -2;
};

}  // namespace windows
