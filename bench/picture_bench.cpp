// The time from Enter on a selected row to its picture having painted, in the real window on the
// X server: for the strip 1 × 16130, the square 128 × 128 (the last row of 16380) and 7 × 10 (the
// last row of 70). Each run opens the picture anew from closed. Counts above what the count box
// lets a user type are put there by the program's own assignment.
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "desktop/picture_window.h"
#include "desktop/program.h"
#include "paint_counter.h"

namespace {

struct Case {
  const char32_t* count;
  int row;  // -1: the last
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  desktop::SetUpApplication();
  desktop::Program program;
  program.Start();
  if (!QTest::qWaitForWindowExposed(&program.view)) return 1;
  auto* list = static_cast<QListWidget*>(program.view.Control("List1", 2));
  list->setFocus();
  program.view.OpenPicture();  // made once, as on the first open
  PaintCounter counter;
  program.view.Picture()->Canvas()->installEventFilter(&counter);

  for (const Case& c : {Case{U"16130", 0}, Case{U"16380", -1}, Case{U"70", -1}}) {
    program.form.Text2[1].SetText(c.count);
    program.form.UserClick(0);
    program.form.UserSelect(2, c.row >= 0 ? c.row : list->count() - 1);
    std::vector<double> milliseconds;
    for (int run = 0; run < 25; ++run) {
      program.view.Picture()->close();
      QTest::qWait(30);
      counter.painted = 0;
      QElapsedTimer timer;
      timer.start();
      QTest::keyClick(list, Qt::Key_Return);
      while (counter.painted < 1 && timer.elapsed() < 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
      }
      milliseconds.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf(
        "Qt: Enter until the picture has painted, %s: median %.2f ms, max %.2f ms over %zu\n",
        program.view.Picture()->Picture().Words().c_str(), milliseconds[milliseconds.size() / 2],
        milliseconds.back(), milliseconds.size());
  }
  return 0;
}
