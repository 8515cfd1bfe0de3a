// The time from a key on the steps page to the step having painted, in the real window on the X
// server: the first step (Home), a middle one (Right onto it) and the last (End), for the runs of
// 70, 16130 (the most steps of all) and 16380 (the largest count that completes). Counts above
// what the count box lets a user type are put there by the program's own assignment.
#include <QApplication>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "desktop/picture_window.h"
#include "desktop/program.h"
#include "desktop/squares_canvas.h"
#include "desktop/steps_page.h"
#include "paint_counter.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  desktop::SetUpApplication();
  desktop::Program program;
  program.Start();
  if (!QTest::qWaitForWindowExposed(&program.view)) return 1;
  program.form.UserClick(0);
  program.form.UserSelect(2, 0);
  program.view.OpenPicture();
  desktop::PictureWindow* window = program.view.Picture();
  if (!QTest::qWaitForWindowExposed(window)) return 1;
  window->Pages()->setCurrentIndex(1);
  desktop::StepsPage* page = window->Steps();
  page->setFocus();
  PaintCounter counter;
  page->Canvas()->installEventFilter(&counter);
  lessons::steps::Walkthrough& steps = program.lessons.steps;

  for (const char32_t* count : {U"70", U"16130", U"16380"}) {
    program.form.Text2[1].SetText(count);
    program.form.UserClick(0);
    const int last = steps.Count() - 1;
    const struct {
      const char* name;
      int before;  // the step shown before the key
      Qt::Key key;
    } moves[] = {{"first", last, Qt::Key_Home},
                 {"middle", last / 2 - 1, Qt::Key_Right},
                 {"last", 0, Qt::Key_End}};
    for (const auto& move : moves) {
      std::vector<double> milliseconds;
      for (int run = 0; run < 21; ++run) {
        steps.GoTo(move.before);
        QTest::qWait(20);
        counter.painted = 0;
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(page, move.key);
        while (counter.painted < 1 && timer.elapsed() < 1000) {
          QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        }
        milliseconds.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
      }
      std::sort(milliseconds.begin(), milliseconds.end());
      std::printf(
          "Qt: a key until the %s step of %d has painted (step %d): median %.2f ms, "
          "max %.2f ms over %zu\n",
          move.name, steps.Count(), steps.Current() + 1, milliseconds[milliseconds.size() / 2],
          milliseconds.back(), milliseconds.size());
    }
  }
  return 0;
}
