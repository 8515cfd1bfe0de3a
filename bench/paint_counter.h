#pragma once

#include <QEvent>
#include <QObject>

// Counts the paint events of the widgets it watches: a benchmark's sign that what it timed has
// reached the screen.
class PaintCounter : public QObject {
 public:
  int painted = 0;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++painted;
    return QObject::eventFilter(watched, event);
  }
};
