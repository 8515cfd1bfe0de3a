// The time from Enter in a number box of the practice (a check) to the verdict, the drawing and
// the chart having painted, in the real window on the X server: a wrong answer (the chart of the
// side tried), a right one (the whole chart) and one that leaves letters without a square, for
// 70 and 1000 letters (the most of any level).
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "desktop/chart_canvas.h"
#include "desktop/number_box.h"
#include "desktop/picture_window.h"
#include "desktop/practice_page.h"
#include "desktop/program.h"
#include "desktop/squares_canvas.h"
#include "paint_counter.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  desktop::SetUpApplication();
  desktop::Program program;
  program.Start();
  if (!QTest::qWaitForWindowExposed(&program.view)) return 1;
  program.view.Do(lessons::menu::Command::kPractice);
  desktop::PictureWindow* window = program.view.Picture();
  if (!QTest::qWaitForWindowExposed(window)) return 1;
  desktop::PracticePage* page = window->Practice();
  PaintCounter drawing;
  PaintCounter chart;
  page->Drawing()->installEventFilter(&drawing);
  page->Chart()->installEventFilter(&chart);
  lessons::practice::Practice& practice = program.lessons.practice;

  for (const int count : {70, 1000}) {
    const lessons::practice::Task task = lessons::practice::CountTask(count);
    const lessons::practice::Sides right = task.Solution();
    const struct {
      const char* name;
      int across, down;
    } answers[] = {{"wrong", 1, count}, {"right", right.across, right.down}, {"short", 1, 1}};
    for (const auto& answer : answers) {
      std::vector<double> milliseconds;
      for (int run = 0; run < 21; ++run) {
        practice.Practise(0, {task});
        practice.Type(lessons::practice::Box::kAcross, std::to_string(answer.across));
        practice.Type(lessons::practice::Box::kDown, std::to_string(answer.down));
        page->Down()->setFocus();
        QTest::qWait(20);
        drawing.painted = chart.painted = 0;
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(page->Down(), Qt::Key_Return);
        while ((drawing.painted < 1 || chart.painted < 1) && timer.elapsed() < 1000)
          QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        milliseconds.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
      }
      std::sort(milliseconds.begin(), milliseconds.end());
      std::printf(
          "Qt: Enter until the verdict, drawing and chart of a %s answer for %d have painted: "
          "median %.2f ms, max %.2f ms over %zu (%s)\n",
          answer.name, count, milliseconds[milliseconds.size() / 2], milliseconds.back(),
          milliseconds.size(), page->Verdict()->text().left(40).toStdString().c_str());
    }
  }
  return 0;
}
