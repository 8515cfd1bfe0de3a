// The steps page of the picture window on real Qt widgets: reached by its tab and by Ctrl+Tab,
// moved by its buttons and keys, painting the step's rectangle, playing, and following new runs
// and "Изчисти".
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <map>

#include "desktop/code_editor.h"
#include "desktop/picture_window.h"
#include "desktop/program.h"
#include "desktop/squares_canvas.h"
#include "desktop/steps_page.h"
#include "desktop/write_page.h"
#include "painted_squares.h"
#include "qt_printing.h"

namespace {

namespace picture = lessons::picture;
using lessons::steps::Command;

class StepsPage : public testing::Test {
 protected:
  void SetUp() override {
    program.Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.view));
    list = qobject_cast<QListWidget*>(program.view.Control("List1", 2));
    QTest::mouseClick(program.view.Control("Command1", 0), Qt::LeftButton);  // 70
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    window = program.view.Picture();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    page = window->Steps();
  }

  QPushButton* Button(Command command) const { return page->Button(command); }
  QString Counter() const { return page->Counter()->text(); }
  // The sentence, its no-break spaces read as blanks.
  QString Sentence() const { return page->Sentence()->text().replace(QChar(0xA0), ' '); }
  // As a click on the picture window makes it the active window, and Ctrl+Tab then shows the
  // steps page. (The offscreen platform gives the activation back to the form on its own.)
  void ShowSteps() {
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_Tab, Qt::ControlModifier);
    ASSERT_EQ(window->Pages()->currentWidget(), page);
  }

  std::map<QRgb, int> PaintedSquares() const {
    return ::PaintedSquares(page->Canvas(), page->Canvas()->Picture());
  }

  desktop::Program program;
  QListWidget* list = nullptr;
  desktop::PictureWindow* window = nullptr;
  desktop::StepsPage* page = nullptr;
};

TEST_F(StepsPage, OpensByItsTabAndByCtrlTab) {
  QTabWidget* pages = window->Pages();
  ASSERT_EQ(pages->count(), 5);
  EXPECT_EQ(pages->tabText(0), "Картина");
  EXPECT_EQ(pages->tabText(1), "Стъпка по стъпка");
  EXPECT_EQ(pages->tabText(2), "Опитай сам");
  EXPECT_EQ(pages->tabText(3), "Промени програмата");
  EXPECT_EQ(pages->tabText(4), "Напиши програмата");
  EXPECT_EQ(pages->currentIndex(), 0);
  EXPECT_NE(list->toolTip().indexOf("Стъпка по стъпка"), -1);  // the lists' tooltip names both

  QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(1).center());
  EXPECT_EQ(pages->currentIndex(), 1);
  QTest::mouseClick(pages->tabBar(), Qt::LeftButton, {}, pages->tabBar()->tabRect(0).center());
  EXPECT_EQ(pages->currentIndex(), 0);

  ShowSteps();
  EXPECT_EQ(QApplication::focusWidget(), page);             // the keys are the page's now
  QTest::keyClick(page, Qt::Key_Tab, Qt::ControlModifier);  // on to the practice, and round
  EXPECT_EQ(pages->currentIndex(), 2);
  QTest::keyClick(window, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(pages->currentIndex(), 3);
  QTest::keyClick(window, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(pages->currentIndex(), 4);
  // From inside the editor of the written program too, which takes Tab for itself.
  ASSERT_EQ(QApplication::focusWidget(), window->Write()->Editor());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(pages->currentIndex(), 0);
  QTest::keyClick(window, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(pages->currentIndex(), 4);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab,
                  Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(pages->currentIndex(), 3);
  QTest::keyClick(window, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(pages->currentIndex(), 2);
  QTest::keyClick(window, Qt::Key_Escape);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(StepsPage, ButtonsAndKeysMoveThroughTheSteps) {
  ShowSteps();
  // The row chosen in the list (the second) brought the page to the step that listed it.
  EXPECT_EQ(Counter(), "стъпка 6 от 126");
  EXPECT_EQ(page->Rows()->rowCount(), 2);
  EXPECT_TRUE(page->Rows()->verticalHeaderItem(1)->text().startsWith("→"));
  struct Move {
    QPushButton* button;  // or null for a key
    Qt::Key key;
    const char* counter;
  };
  const Move moves[] = {
      {Button(Command::kFirst), Qt::Key_unknown, "стъпка 1 от 126"},
      {Button(Command::kForward), Qt::Key_unknown, "стъпка 2 от 126"},
      {nullptr, Qt::Key_Right, "стъпка 3 от 126"},
      {Button(Command::kBack), Qt::Key_unknown, "стъпка 2 от 126"},
      {nullptr, Qt::Key_Left, "стъпка 1 от 126"},
      {Button(Command::kNextRow), Qt::Key_unknown, "стъпка 2 от 126"},
      {nullptr, Qt::Key_PageDown, "стъпка 6 от 126"},
      {nullptr, Qt::Key_PageUp, "стъпка 2 от 126"},
      {Button(Command::kLast), Qt::Key_unknown, "стъпка 126 от 126"},
      {nullptr, Qt::Key_Home, "стъпка 1 от 126"},
      {nullptr, Qt::Key_End, "стъпка 126 от 126"},
      {Button(Command::kPreviousRow), Qt::Key_unknown, "стъпка 13 от 126"},
  };
  for (const Move& move : moves) {
    if (move.button != nullptr) {
      QTest::mouseClick(move.button, Qt::LeftButton);
    } else {
      QTest::keyClick(QApplication::focusWidget(), move.key);
    }
    EXPECT_EQ(Counter(), move.counter);
  }
  EXPECT_EQ(page->Program()->currentRow(), 13);  // line 14, the comparison, as current
  EXPECT_TRUE(page->Program()->currentItem()->text().startsWith("→"));
  EXPECT_FALSE(Button(Command::kNextRow)->isEnabled());

  // On a focused button the arrows still move through the steps, and Space presses it.
  Button(Command::kBack)->setFocus();
  QTest::keyClick(Button(Command::kBack), Qt::Key_Right);
  EXPECT_EQ(Counter(), "стъпка 14 от 126");
  EXPECT_EQ(QApplication::focusWidget(), Button(Command::kBack));
  QTest::keyClick(Button(Command::kBack), Qt::Key_Space);
  EXPECT_EQ(Counter(), "стъпка 13 от 126");
}

TEST_F(StepsPage, PaintsTheRectangleOfTheTie) {
  ShowSteps();
  QTest::keyClick(page, Qt::Key_Home);
  for (int step = 1; step < 37; ++step)
    QTest::keyClick(page, Qt::Key_Right);
  EXPECT_EQ(Sentence(), "72 = 8 × 9: рамката е 38 и не е по-малка от 38, затова не се записва.");
  EXPECT_EQ(page->Canvas()->accessibleName().replace(QChar(0xA0), ' '),
            "8 × 9 = 72 квадратчета, 70 букви и 2 празни квадратчета, рамка от 38 квадратчета");
  EXPECT_EQ(PaintedSquares(),
            (std::map<QRgb, int>{{0xC0C000, 38}, {0x808000, 70}, {0xD8D8B0, 2}}));  // 2 blanks
  // The values, with the ones this step changed marked.
  QTest::keyClick(page, Qt::Key_Left);
  QTableWidget* values = page->Values();
  EXPECT_EQ(values->item(4, 0)->text(), "j");
  EXPECT_EQ(values->item(4, 1)->text(), "9   ← нова стойност");
  EXPECT_EQ(values->item(0, 1)->text(), "70");
  // The longest name and meaning take two lines, between their words, every other one line; what
  // "по абсциса" and "по ордината" mean stands beside the rows' heading.
  EXPECT_EQ(values->item(3, 0)->text(), "LetterCount mod i");
  QFont bold = values->font();
  bold.setBold(true);
  const int line = QFontMetrics(bold).height();
  EXPECT_GE(values->columnWidth(0), QFontMetrics(bold).horizontalAdvance("LetterCount"));
  EXPECT_GE(values->rowHeight(3), 2 * line);
  for (const int row : {0, 1, 2, 4, 5, 6, 7, 8})
    EXPECT_LT(values->rowHeight(row), 2 * line) << row;
  EXPECT_TRUE(page->Axes()->isVisible());
  EXPECT_EQ(page->Axes()->text().toStdString(), lessons::steps::kAxes);
}

TEST_F(StepsPage, PlaysAndStops) {
  ShowSteps();
  QTest::mouseClick(Button(Command::kFirst), Qt::LeftButton);
  page->Speed()->setCurrentIndex(4);  // 1000 steps a second
  QPushButton* play = Button(Command::kPlay);
  EXPECT_EQ(play->text(), "Пусни");
  QTest::mouseClick(play, Qt::LeftButton);
  EXPECT_EQ(play->text(), "Спри");
  EXPECT_TRUE(QTest::qWaitFor([&] { return Counter() == "стъпка 126 от 126"; }, 5000));
  EXPECT_EQ(play->text(), "Пусни");  // it stopped at the last step

  page->Speed()->setCurrentIndex(0);  // one a second: a click stops it where it is
  QTest::keyClick(page, Qt::Key_Space);
  EXPECT_EQ(play->text(), "Спри");
  QTest::keyClick(page, Qt::Key_Space);
  EXPECT_EQ(play->text(), "Пусни");
  EXPECT_EQ(Counter(), "стъпка 1 от 126");
}

TEST_F(StepsPage, FollowsANewRunAndIzchisti) {
  ShowSteps();
  QTest::keyClick(page, Qt::Key_End);
  program.form.Text2[1].SetText(U"13");
  QTest::mouseClick(program.view.Control("Command1", 0), Qt::LeftButton);
  EXPECT_EQ(Counter(), "стъпка 1 от 23");
  EXPECT_EQ(page->Rows()->rowCount(), 0);
  EXPECT_EQ(page->Program()->currentRow(), 0);

  QTest::mouseClick(program.view.Control("Command1", 1), Qt::LeftButton);  // "Изчисти"
  EXPECT_EQ(Counter(), "");
  EXPECT_EQ(Sentence(), QString::fromUtf8(lessons::steps::kNoRun));
  EXPECT_FALSE(Button(Command::kForward)->isEnabled());
  EXPECT_FALSE(Button(Command::kPlay)->isEnabled());
  EXPECT_TRUE(page->Program()->selectedItems().isEmpty());
}

}  // namespace
