#include "desktop/number_box.h"

#include <QLineEdit>

#include "lessons/practice.h"

namespace desktop {

NumberBox::NumberBox(std::function<void(const QString&)> typed, std::function<void(int)> step,
                     QWidget* parent)
    : QAbstractSpinBox(parent), step_(std::move(step)) {
  lineEdit()->setMaxLength(lessons::practice::kBoxLength);
  setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  setAccelerated(false);
  connect(lineEdit(), &QLineEdit::textEdited, this, std::move(typed));
}

void NumberBox::Show(const QString& text) {
  if (lineEdit()->text() != text) lineEdit()->setText(text);
}

QString NumberBox::Text() const {
  return lineEdit()->text();
}

void NumberBox::stepBy(int steps) {
  step_(steps);
  selectAll();
}

QAbstractSpinBox::StepEnabled NumberBox::stepEnabled() const {
  return isEnabled() ? (StepUpEnabled | StepDownEnabled) : StepNone;
}

}  // namespace desktop
