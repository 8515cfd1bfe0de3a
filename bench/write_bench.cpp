// The page where the pupil writes the program, in the real window on the X server: the time from
// "Стъпка" pressed to the step painted (its counter, and with it the window's frame), through the
// program from the lesson for 70; from "Пусни" to its rows painted; and from "Провери задачата"
// to the verdict painted, with how many times its progress was painted on the way.
// Run it on a display: xvfb-run -a -s "-screen 0 1024x768x24" build/bench/write_bench
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "desktop/code_editor.h"
#include "desktop/picture_window.h"
#include "desktop/program.h"
#include "desktop/write_page.h"
#include "paint_counter.h"

namespace {

using lessons::write::Command;

// Counts the paints of the verdict's label while it shows the check's progress, and notes when it
// has painted a verdict.
class VerdictWatch : public QObject {
 public:
  explicit VerdictWatch(const lessons::write::Write& write) : write_(write) {}
  bool armed = false;  // while a check started
  int progress = 0;
  bool over = false;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (armed && event->type() == QEvent::Paint) {
      if (write_.Checking()) {
        ++progress;
      } else {
        over = true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  const lessons::write::Write& write_;
};

void Report(const char* what, std::vector<double> milliseconds) {
  std::sort(milliseconds.begin(), milliseconds.end());
  std::printf("Qt: %s: median %.2f ms, max %.2f ms over %zu\n", what,
              milliseconds[milliseconds.size() / 2], milliseconds.back(), milliseconds.size());
}

}  // namespace

int main(int argc, char* argv[]) {
  const QTemporaryDir data;  // the pupil's texts kept here, not in the user's folder
  qputenv("XDG_DATA_HOME", data.path().toUtf8());
  QApplication application(argc, argv);
  desktop::SetUpApplication();
  desktop::Program program;
  program.Start();
  if (!QTest::qWaitForWindowExposed(&program.view)) return 1;
  program.view.Do(lessons::menu::Command::kWrite);
  desktop::PictureWindow* window = program.view.Picture();
  if (!QTest::qWaitForWindowExposed(window)) return 1;
  desktop::WritePage* page = window->Write();
  lessons::write::Write& write = program.lessons.write;
  write.ChooseTask(2);  // "Същите редове", which the lesson's program meets
  write.StartFrom(2);   // the program from the lesson, its 14 lines
  PaintCounter counter;
  PaintCounter rows;
  VerdictWatch verdict(write);
  page->Counter()->installEventFilter(&counter);
  page->YourRows()->viewport()->installEventFilter(&rows);
  page->Verdict()->installEventFilter(&verdict);

  // A button pressed from the keyboard, until what it changes has painted.
  const auto timed = [&](Command command, std::vector<PaintCounter*> painted) {
    QPushButton* button = page->Button(command);
    button->setFocus();
    QTest::qWait(5);
    for (PaintCounter* counter : painted)
      counter->painted = 0;
    QElapsedTimer timer;
    timer.start();
    QTest::keyClick(button, Qt::Key_Space);
    const auto done = [&] {
      return std::all_of(painted.begin(), painted.end(),
                         [](const PaintCounter* counter) { return counter->painted > 0; });
    };
    while (!done() && timer.elapsed() < 1000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
  };

  write.TypeCount("70");
  std::vector<double> steps;
  for (int step = 0; step < 340; ++step)  // nearly all of the 348 steps for 70
    steps.push_back(timed(Command::kStep, {&counter}));
  Report("a step of the lesson's program for 70, until it has painted", steps);
  std::vector<double> runs;
  for (int run = 0; run < 101; ++run) {
    write.Press(Command::kRestart);  // so that the run shows anew
    runs.push_back(timed(Command::kRun, {&counter, &rows}));
  }
  Report("a run of the lesson's program for 70, until its rows have painted", runs);

  std::vector<double> checks;
  std::vector<int> progress;
  for (int check = 0; check < 11; ++check) {
    QPushButton* button = page->Button(Command::kCheck);
    button->setFocus();
    QTest::qWait(5);
    verdict.progress = 0;
    verdict.over = false;
    QElapsedTimer timer;
    timer.start();
    QTest::keyClick(button, Qt::Key_Space);
    verdict.armed =
        true;  // the check runs: what paints from now on is its progress, then its verdict
    while (!verdict.over && timer.elapsed() < 5000)
      QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    checks.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    verdict.armed = false;
    progress.push_back(verdict.progress);
    if (write.Verdict().rfind("Вярно", 0) != 0) {
      std::printf("the check did not end right: %s\n", write.Verdict().c_str());
      return 1;
    }
  }
  Report("\"Провери задачата\" on the lesson's program, until its verdict has painted", checks);
  std::sort(progress.begin(), progress.end());
  std::printf("Qt: its progress painted %d to %d times on the way\n", progress.front(),
              progress.back());
  return 0;
}
