#pragma once

#include <QAbstractSpinBox>
#include <functional>

namespace desktop {

// A number box of the practice that keeps exactly what the pupil types, whatever it is: the
// practice reads it when the answer is checked and says what the box takes where it cannot.
// Its arrows, Up, Down, Page Up, Page Down and the wheel step the number through the practice.
// A screen reader is told the number it holds and the range it takes, as of any spin box, and a
// number it sets is typed into the box.
class NumberBox final : public QAbstractSpinBox {
 public:
  // `typed` takes each text the pupil makes; `step` takes each step, +1 or −1 (±10 a page).
  NumberBox(std::function<void(const QString&)> typed, std::function<void(int)> step,
            QWidget* parent);

  // Shows a text, unless the box already holds it: a box being typed into keeps its caret.
  void Show(const QString& text);
  // The box takes whole numbers from 1 to `largest`: its value, for a screen reader, is the
  // number it shows within them, or none.
  void TakeUpTo(int largest);
  QString Text() const;

  void stepBy(int steps) override;

 protected:
  StepEnabled stepEnabled() const override;
  bool event(QEvent* event) override;

 private:
  std::function<void(const QString&)> typed_;
  std::function<void(int)> step_;
  void TellValue();

  int largest_ = 0;       // none told before TakeUpTo
  bool showing_ = false;  // while the box sets its own value, which nobody typed
};

}  // namespace desktop
