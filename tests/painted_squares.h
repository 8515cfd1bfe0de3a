#pragma once

#include <QImage>
#include <QWidget>
#include <map>

#include "lessons/picture.h"

// The colour inside each square of a picture as a Qt canvas painted it, counted by colour: the
// canvas grabbed as the screen shows it, each square read a little inside its top left corner.
inline std::map<QRgb, int> PaintedSquares(QWidget* canvas, const lessons::picture::Picture& shown) {
  const QImage image = canvas->grab().toImage();
  const lessons::picture::Scene scene =
      lessons::picture::Paint(shown, canvas->width(), canvas->height());
  std::map<QRgb, int> counted;
  for (int row = 0; row < shown.Rows(); ++row) {
    for (int column = 0; column < shown.Columns(); ++column) {
      const int x = scene.grid.x + column * scene.square + 2;
      const int y = scene.grid.y + row * scene.square + 2;
      ++counted[image.pixel(x, y) & RGB_MASK];
    }
  }
  return counted;
}
