#pragma once

#include <windows.h>

#include "lessons/picture.h"

namespace windows {

// A rectangle of letter squares in its gold frame, in a child window of its own: painted with
// GDI through a bitmap as the core lays it out for the window's size, in the core's colours and
// the window's font; its window text, the picture's words, is its name for a screen reader. The
// picture window's two pages each paint with one.
class SquaresCanvas {
 public:
  SquaresCanvas(HWND parent, int dpi);
  SquaresCanvas(const SquaresCanvas&) = delete;
  SquaresCanvas& operator=(const SquaresCanvas&) = delete;

  HWND Handle() const { return window_; }
  void SetPicture(lessons::picture::Picture picture);
  const lessons::picture::Picture& Picture() const { return picture_; }
  void SetDpi(int dpi) { dpi_ = dpi; }
  // Paints the picture into `dc` as the canvas does, over an area of that size.
  void PaintInto(HDC dc, int width, int height) const;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  void Paint();

  lessons::picture::Picture picture_;
  HWND window_ = nullptr;
  int dpi_;
};

}  // namespace windows
