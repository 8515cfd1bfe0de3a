#pragma once

#include <windows.h>

#include "window/model.h"
#include "window/picture.h"

namespace windows {

// The picture of the selected row, in a window of its own owned by the form's: the squares as the
// core lays them out, painted with GDI in the core's colours and the window's font, and under
// them the core's words in a label, which is also the picture's name for a screen reader. It
// opens without taking the activation from the form, follows the form's selection, scales with
// its resolution, and closes (hides) on Escape or its close box.
class PictureWindow {
 public:
  PictureWindow(const window::Form& form, HWND owner);
  ~PictureWindow();
  PictureWindow(const PictureWindow&) = delete;
  PictureWindow& operator=(const PictureWindow&) = delete;

  // Shows the picture of the selected row, or brings it forward.
  void Open();
  void Close();
  bool IsOpen() const { return window_ != nullptr && IsWindowVisible(window_); }
  // Reads the form's selected row again and repaints.
  void Refresh();

  HWND Handle() const { return window_; }
  HWND Canvas() const { return canvas_; }
  HWND Words() const { return words_; }
  const window::picture::Picture& Picture() const { return picture_; }
  // Paints the picture into `dc` as the canvas does, over an area of that size.
  void PaintInto(HDC dc, int width, int height) const;

 private:
  static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  static LRESULT CALLBACK CanvasProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT Receive(UINT message, WPARAM wparam, LPARAM lparam);
  void Arrange();
  void Scale(int dpi);
  void PaintCanvas();

  const window::Form& form_;
  window::picture::Picture picture_;
  HWND window_ = nullptr;
  HWND canvas_ = nullptr;
  HWND words_ = nullptr;
  HFONT font_ = nullptr;
  int dpi_ = 96;
};

}  // namespace windows
