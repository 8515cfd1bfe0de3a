// The time from a key on the page that changes the program, a switch ticked or a digit of N
// typed, to its table and its chart painted again, in the real window on the X server: for 70,
// for 16130 (the most divisions) and for 16380 (the most rows).
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "desktop/change_page.h"
#include "desktop/chart_canvas.h"
#include "desktop/number_box.h"
#include "desktop/picture_window.h"
#include "desktop/program.h"
#include "paint_counter.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  desktop::SetUpApplication();
  desktop::Program program;
  program.Start();
  if (!QTest::qWaitForWindowExposed(&program.view)) return 1;
  program.view.Do(lessons::menu::Command::kChange);
  desktop::PictureWindow* window = program.view.Picture();
  if (!QTest::qWaitForWindowExposed(window)) return 1;
  desktop::ChangePage* page = window->Change();
  PaintCounter table;
  PaintCounter chart;
  page->Table()->viewport()->installEventFilter(&table);
  page->Chart()->installEventFilter(&chart);
  lessons::change::Change& change = program.lessons.change;
  QCheckBox* root = page->Switch(lessons::change::Part::kRootSide);

  // What is timed: the key, until the table and the chart have both painted.
  const auto timed = [&](QWidget* target, Qt::Key key, const char* text) {
    target->setFocus();
    QTest::qWait(20);
    table.painted = chart.painted = 0;
    QElapsedTimer timer;
    timer.start();
    if (text != nullptr) {
      QTest::keyClicks(target, QString::fromUtf8(text));
    } else {
      QTest::keyClick(target, key);
    }
    while ((table.painted < 1 || chart.painted < 1) && timer.elapsed() < 1000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
  };
  const auto report = [](const char* what, std::vector<double> milliseconds) {
    std::sort(milliseconds.begin(), milliseconds.end());
    std::printf(
        "Qt: %s until the table and the chart have painted: median %.2f ms, max %.2f ms "
        "over %zu\n",
        what, milliseconds[milliseconds.size() / 2], milliseconds.back(), milliseconds.size());
  };
  for (const char* count : {"70", "16130", "16380"}) {
    change.Type(count);
    std::vector<double> switched;
    for (int run = 0; run < 21; ++run)
      switched.push_back(timed(root, Qt::Key_Space, nullptr));  // off and on in turn
    report(("a switch ticked for " + std::string(count)).c_str(), switched);
  }
  std::vector<double> typed;
  for (int run = 0; run < 21; ++run) {
    change.Type("1613");
    typed.push_back(timed(page->Count(), Qt::Key_unknown, "0"));  // 16130, the most divisions
  }
  report("the last digit of 16130 typed", typed);
  return 0;
}
