#pragma once

#include <windows.h>

#include <memory>

#include "lessons/picture.h"
#include "lessons/steps.h"
#include "window/model.h"
#include "windows/screen.h"

namespace windows {

class SquaresCanvas;
class StepsPage;

// The picture window, owned by the form's, with two pages on the standard tab control.
// "Картина": the selected row's squares as the core lays them out, painted with GDI in the core's
// colours and the window's font, and under them the core's words in a label, which is also the
// picture's name for a screen reader. "Стъпка по стъпка": how the last run found its rows. It
// opens without taking the activation from the form, follows the form's selection and its runs,
// switches pages on Ctrl+Tab and Ctrl+Shift+Tab, scales with its resolution, and closes (hides)
// on Escape or its close box.
class PictureWindow {
 public:
  PictureWindow(const window::Form& form, lessons::steps::Walkthrough& steps, HWND owner);
  ~PictureWindow();
  PictureWindow(const PictureWindow&) = delete;
  PictureWindow& operator=(const PictureWindow&) = delete;

  // Shows the picture of the selected row, or brings it forward.
  void Open();
  void Close();
  bool IsOpen() const { return window_ != nullptr && IsWindowVisible(window_); }
  // Reads the form's selected row again and repaints.
  void Refresh();
  // Shows the steps' new state.
  void RefreshSteps();
  // Shows a page: 0 the picture, 1 the steps.
  void ShowPage(int page);
  int Page() const { return page_; }

  HWND Handle() const { return window_; }
  HWND Tabs() const { return tabs_; }
  HWND Canvas() const;
  HWND Words() const { return words_; }
  const lessons::picture::Picture& Picture() const;
  const SquaresCanvas& Squares() const { return *canvas_; }
  StepsPage& Steps() const { return *steps_page_; }

 private:
  friend LRESULT CALLBACK Forward<PictureWindow>(HWND, UINT, WPARAM, LPARAM);
  LRESULT Receive(UINT message, WPARAM wparam, LPARAM lparam);
  void Arrange();
  void Scale(int dpi);

  const window::Form& form_;
  HWND window_ = nullptr;
  HWND tabs_ = nullptr;
  std::unique_ptr<SquaresCanvas> canvas_;
  HWND words_ = nullptr;
  std::unique_ptr<StepsPage> steps_page_;
  HFONT font_ = nullptr;
  int dpi_ = 96;
  int page_ = 0;
};

}  // namespace windows
