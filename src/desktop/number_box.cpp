#include "desktop/number_box.h"

#include <QAccessible>
#include <QDynamicPropertyChangeEvent>
#include <QLineEdit>

#include "lessons/practice.h"
#include "lessons/words.h"

namespace desktop {

NumberBox::NumberBox(std::function<void(const QString&)> typed, std::function<void(int)> step,
                     QWidget* parent)
    : QAbstractSpinBox(parent), typed_(std::move(typed)), step_(std::move(step)) {
  lineEdit()->setMaxLength(lessons::practice::kBoxLength);
  setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  setAccelerated(false);
  connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) { typed_(text); });
}

void NumberBox::Show(const QString& text) {
  if (lineEdit()->text() != text) lineEdit()->setText(text);
  TellValue();
}

void NumberBox::TakeUpTo(int largest) {
  largest_ = largest;
  TellValue();
}

// What a screen reader reads of a spin box: its value, its least and its largest, and its step.
void NumberBox::TellValue() {
  if (largest_ < 1) return;
  showing_ = true;
  setProperty("minimum", 1);
  setProperty("maximum", largest_);
  setProperty("stepSize", 1);
  const std::optional<int64_t> number = lessons::words::WholeNumber(Text().toStdString());
  const QVariant value = number && *number >= 1 && *number <= largest_
                             ? QVariant(static_cast<int>(*number))
                             : QVariant();
  if (property("value") != value) {
    setProperty("value", value);
    QAccessibleValueChangeEvent changed(this, value);
    QAccessible::updateAccessibility(&changed);
  }
  showing_ = false;
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

// A value a screen reader sets is typed into the box, as the pupil would type it.
bool NumberBox::event(QEvent* event) {
  if (event->type() == QEvent::DynamicPropertyChange && !showing_ && isEnabled() &&
      static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName() == "value") {
    const QVariant value = property("value");
    if (value.isValid()) typed_(QString::number(value.toLongLong()));
    return true;
  }
  return QAbstractSpinBox::event(event);
}

}  // namespace desktop
