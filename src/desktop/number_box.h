#pragma once

#include <QAbstractSpinBox>
#include <functional>

namespace desktop {

// A number box of the practice that keeps exactly what the pupil types, whatever it is: the
// practice reads it when the answer is checked and says what the box takes where it cannot.
// Its arrows, Up, Down, Page Up, Page Down and the wheel step the number through the practice.
class NumberBox final : public QAbstractSpinBox {
 public:
  // `typed` takes each text the pupil makes; `step` takes each step, +1 or −1 (±10 a page).
  NumberBox(std::function<void(const QString&)> typed, std::function<void(int)> step,
            QWidget* parent);

  // Shows a text, unless the box already holds it: a box being typed into keeps its caret.
  void Show(const QString& text);
  QString Text() const;

  void stepBy(int steps) override;

 protected:
  StepEnabled stepEnabled() const override;

 private:
  std::function<void(int)> step_;
};

}  // namespace desktop
