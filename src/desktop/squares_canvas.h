#pragma once

#include <QWidget>

#include "lessons/picture.h"

namespace desktop {

// A rectangle of letter squares in its gold frame, painted as the core lays it out for the
// canvas's size, in the core's colours; to a screen reader a graphic named by the picture's
// words. The picture window's first page and the steps page both paint with it.
class SquaresCanvas final : public QWidget {
 public:
  explicit SquaresCanvas(QWidget* parent);

  void SetPicture(lessons::picture::Picture picture);
  const lessons::picture::Picture& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  lessons::picture::Picture picture_;
};

// The window's colours and rectangles in Qt's terms.
QColor ToQColor(window::layout::Rgb rgb);
QRect ToQRect(const window::layout::PixelRect& rect);

}  // namespace desktop
