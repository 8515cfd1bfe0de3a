#pragma once

#include <windows.h>

#include <memory>

#include "lessons/lessons.h"
#include "lessons/picture.h"
#include "window/model.h"
#include "windows/screen.h"

namespace windows {

class ChangePage;
class PracticePage;
class SquaresCanvas;
class StepsPage;
class WritePage;

// The lessons' window, owned by the form's, with five pages on the standard tab control.
// "Картина": the selected row's squares as the core lays them out, painted with GDI in the core's
// colours and the window's font, and under them the core's words in a label, which is also the
// picture's name for a screen reader. "Стъпка по стъпка": how the last run found its rows. "Опитай
// сам": the practice. "Промени програмата": the search changed by the pupil. "Напиши програмата":
// the search written by the pupil. It opens where it fits on the form's screen, follows the form's
// selection and its runs, switches pages on Ctrl+Tab and Ctrl+Shift+Tab, scales with its
// resolution, and closes (hides) on Escape or its close box, but for Escape in the pupil's editor.
class PictureWindow {
 public:
  PictureWindow(const window::Form& form, lessons::Lessons& lessons, HWND owner);
  ~PictureWindow();
  PictureWindow(const PictureWindow&) = delete;
  PictureWindow& operator=(const PictureWindow&) = delete;

  // Shows the window, or brings it forward; activated, with the focus on its page, or not.
  void Open(bool activate);
  void Close();
  bool IsOpen() const { return window_ != nullptr && IsWindowVisible(window_); }
  // Reads the form's selected row again and repaints.
  void Refresh();
  // Shows the steps' new state, and the practice's.
  void RefreshSteps();
  void RefreshPractice();
  void RefreshChange();
  void RefreshWrite();
  // Shows a page: 0 the picture, 1 the steps, 2 the practice, 3 the program changed, 4 the program
  // written.
  void ShowPage(int page);
  int Page() const { return page_; }

  HWND Handle() const { return window_; }
  HWND Tabs() const { return tabs_; }
  HWND Canvas() const;
  HWND Words() const { return words_; }
  const lessons::picture::Picture& Picture() const;
  const SquaresCanvas& Squares() const { return *canvas_; }
  StepsPage& Steps() const { return *steps_page_; }
  PracticePage& Practice() const { return *practice_page_; }
  ChangePage& Change() const { return *change_page_; }
  WritePage& Write() const { return *write_page_; }

 private:
  friend LRESULT CALLBACK Forward<PictureWindow>(HWND, UINT, WPARAM, LPARAM);
  LRESULT Receive(UINT message, WPARAM wparam, LPARAM lparam);
  void Place(HWND owner);
  void Arrange();
  void Scale(int dpi);
  void FocusPage();

  const window::Form& form_;
  lessons::Lessons& lessons_;
  HWND window_ = nullptr;
  HWND tabs_ = nullptr;
  std::unique_ptr<SquaresCanvas> canvas_;
  HWND words_ = nullptr;
  std::unique_ptr<StepsPage> steps_page_;
  std::unique_ptr<PracticePage> practice_page_;
  std::unique_ptr<ChangePage> change_page_;
  std::unique_ptr<WritePage> write_page_;
  HFONT font_ = nullptr;
  int dpi_ = 96;
  int page_ = 0;
};

}  // namespace windows
