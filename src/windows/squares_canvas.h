#pragma once

#include <windows.h>

#include "lessons/picture.h"
#include "windows/canvas.h"

namespace windows {

// A rectangle of letter squares in its gold frame, painted with GDI as the core lays it out for
// the canvas's size, in the core's colours and the window's font; its name for a screen reader is
// the picture's words. The lessons' window's pages each paint with one.
class SquaresCanvas final : public Canvas {
 public:
  using Canvas::Canvas;

  void SetPicture(lessons::picture::Picture picture);
  const lessons::picture::Picture& Picture() const { return picture_; }
  void PaintInto(HDC dc, int width, int height) const override;

 private:
  lessons::picture::Picture picture_;
};

}  // namespace windows
