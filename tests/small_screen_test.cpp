// The lessons' window on the smallest school screen, 1024 × 768, on a real X display: each of its
// pages opens inside the screen, laid out in the size it gets, every control visible whole.
// CTest runs it on a virtual display of that size.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QScreen>
#include <QScrollArea>
#include <QTabWidget>
#include <QTest>
#include <vector>

#include "desktop/picture_window.h"
#include "desktop/program.h"
#include "qt_printing.h"

namespace {

using lessons::menu::Command;

// Every control of the page that can be seen stands inside it, apart from the others, and is at
// least as large as it needs to be to show its text whole; a page that scrolls up and down, never
// sideways, holds its controls so.
void ExpectWhole(QWidget* page) {
  const QRect inside = page->rect();
  EXPECT_GE(page->width(), page->minimumSizeHint().width());
  EXPECT_GE(page->height(), page->minimumSizeHint().height());
  std::vector<QWidget*> seen;
  for (QWidget* child : page->findChildren<QWidget*>()) {
    if (child->isVisibleTo(page) && child->parentWidget() == page) seen.push_back(child);
  }
  for (QWidget* child : seen) {
    if (auto* scroll = qobject_cast<QScrollArea*>(child); scroll != nullptr) {
      EXPECT_LE(scroll->widget()->width(), scroll->viewport()->width());
      ExpectWhole(scroll->widget());
    }
    for (QWidget* other : seen) {
      EXPECT_TRUE(child == other || !child->geometry().intersects(other->geometry()))
          << child->accessibleName().toStdString() << " over "
          << other->accessibleName().toStdString() << " " << other->metaObject()->className();
    }
    SCOPED_TRACE(child->metaObject()->className() + (" " + child->accessibleName().toStdString()));
    EXPECT_TRUE(inside.contains(child->geometry()))
        << child->geometry().x() << "," << child->geometry().y();
    const bool texted =
        qobject_cast<QAbstractButton*>(child) != nullptr ||
        qobject_cast<QComboBox*>(child) != nullptr ||
        (qobject_cast<QLabel*>(child) != nullptr && !qobject_cast<QLabel*>(child)->wordWrap());
    if (texted) {
      EXPECT_GE(child->width(), child->sizeHint().width());
    }
    EXPECT_GE(child->width(), child->minimumSizeHint().width());
    EXPECT_GE(child->height(), child->minimumSizeHint().height());
  }
}

TEST(SmallScreen, EveryPageOfTheLessonsWindowFitsAndShowsEveryControl) {
  desktop::Program program;
  program.Start();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.view));
  const QRect screen = program.view.screen()->availableGeometry();
  ASSERT_EQ(screen.size(), QSize(1024, 768));
  program.form.UserClick(0);
  program.form.UserSelect(2, 3);

  for (const Command command : {Command::kPicture, Command::kSteps, Command::kPractice,
                                Command::kChange, Command::kWrite}) {
    program.view.Do(command);
    desktop::PictureWindow* window = program.view.Picture();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QApplication::processEvents();
    SCOPED_TRACE(window->Pages()->tabText(window->Pages()->currentIndex()).toStdString());
    EXPECT_TRUE(screen.contains(window->frameGeometry()))
        << window->frameGeometry().x() << "," << window->frameGeometry().y() << " "
        << window->frameGeometry().width() << "×" << window->frameGeometry().height();
    EXPECT_GE(window->width(), window->minimumSizeHint().width());
    EXPECT_GE(window->height(), window->minimumSizeHint().height());
    ExpectWhole(window->Pages()->currentWidget());
  }
  // The practice at its widest, the fifth level with its third box and its button.
  program.lessons.practice.Practise(4, {lessons::practice::CountTask(70)});
  QApplication::processEvents();
  EXPECT_TRUE(screen.contains(program.view.Picture()->frameGeometry()));
  ExpectWhole(program.view.Picture()->Pages()->currentWidget());
  EXPECT_TRUE(screen.contains(program.view.frameGeometry()));
  // The changed program at its tallest: a wrong program, its hunt and a saying, and the most rows.
  program.view.Do(Command::kChange);
  lessons::change::Change& change = program.lessons.change;
  change.Set(lessons::change::Part::kLargerAreas, false);
  change.TypeGuess("5");
  change.Press(lessons::change::Button::kCheck);
  change.Type("16130");
  QApplication::processEvents();
  EXPECT_TRUE(screen.contains(program.view.Picture()->frameGeometry()));
  ExpectWhole(program.view.Picture()->Pages()->currentWidget());
  // The written program at its tallest: the verdict on a wrong program of many lines, the steps
  // of its first wrong N with three rows beside two, and a sentence of two lines.
  program.view.Do(Command::kWrite);
  lessons::write::Write& write = program.lessons.write;
  std::string ties = lessons::write::LessonText();
  ties.replace(ties.find("P < BestFrame"), 13, "P ≤ BestFrame");
  write.ChooseTask(2);
  write.Edit(ties);
  write.Press(lessons::write::Command::kCheck);
  while (write.Checking())
    write.CheckSome();
  write.Press(lessons::write::Command::kShowSteps);
  QApplication::processEvents();
  EXPECT_TRUE(screen.contains(program.view.Picture()->frameGeometry()));
  ExpectWhole(program.view.Picture()->Pages()->currentWidget());
  write.Edit("N ← броят на буквите\nдокато N > 0: N ← N\n");
  write.Press(lessons::write::Command::kRun);
  QApplication::processEvents();
  EXPECT_TRUE(screen.contains(program.view.Picture()->frameGeometry()));
  ExpectWhole(program.view.Picture()->Pages()->currentWidget());
}

}  // namespace
