#pragma once

#include <QWidget>

#include "window/model.h"
#include "window/picture.h"

class QLabel;

namespace desktop {

// The picture of the selected row, in a window of its own beside the form: the squares as the
// core lays them out, painted in the core's colours, and under them the core's words, which are
// also what a screen reader reads for the picture. It opens without taking the focus from the
// form, follows the form's selection, and closes on Escape or its close box.
class PictureWindow final : public QWidget {
 public:
  PictureWindow(const window::Form& form, QWidget* owner);

  // Reads the form's selected row again and repaints.
  void Refresh();
  const window::picture::Picture& Picture() const { return picture_; }
  // Where the squares are painted.
  QWidget* Canvas() const { return canvas_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  const window::Form& form_;
  window::picture::Picture picture_;
  QWidget* canvas_;
  QLabel* words_;
};

}  // namespace desktop
