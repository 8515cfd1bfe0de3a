// "Промени програмата" on real Qt widgets: F5 opens it with the window's count, a switch ticked
// off and on from the keyboard and its line shown changed, the table for 70 and for 5, the chart
// repainted with the changed program's line, the hunt for a wrong N under its heading, the legend
// under the program, a box without an N, and the page scrolled to what the keyboard reaches.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "desktop/change_page.h"
#include "desktop/chart_canvas.h"
#include "desktop/number_box.h"
#include "desktop/picture_window.h"
#include "desktop/program.h"
#include "lessons/placement.h"
#include "plain_text.h"
#include "qt_printing.h"

namespace {

using lessons::change::Button;
using lessons::change::Part;

class ChangePage : public testing::Test {
 protected:
  void SetUp() override {
    program.Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.view));
    QApplication::setActiveWindow(&program.view);
  }

  // F5 from the form, as a pupil opens the page.
  void Open() {
    QTest::keyClick(&program.view, Qt::Key_F5);
    window = program.view.Picture();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QApplication::setActiveWindow(window);
    page = window->Change();
  }

  QWidget* Focused() const { return QApplication::focusWidget(); }
  std::string Cell(int row, int column) const {
    return Spaced(page->Table()->item(row, column)->text().toStdString());
  }
  // Tab until the focus is on a widget, at most through the whole page.
  void TabTo(QWidget* widget) {
    for (int tab = 0; tab < 20 && Focused() != widget; ++tab)
      QTest::keyClick(Focused(), Qt::Key_Tab);
    ASSERT_EQ(Focused(), widget);
  }

  desktop::Program program;
  desktop::PictureWindow* window = nullptr;
  desktop::ChangePage* page = nullptr;
};

TEST_F(ChangePage, F5OpensItWithTheWindowsCountAndItsTableForSeventy) {
  Open();
  EXPECT_EQ(window->Pages()->currentIndex(), 3);
  EXPECT_EQ(window->Pages()->tabText(3), "Промени програмата");
  EXPECT_EQ(Focused(), page->Count());
  EXPECT_EQ(page->Count()->Text(), "70");  // the window's count
  EXPECT_EQ(page->Table()->accessibleName(), "Програмите за N");
  EXPECT_EQ(page->Chart()->accessibleName(), "Колко работа");
  const std::vector<std::vector<std::string>> expected = {
      {"както е написана", "1 × 70, 2 × 35, 5 × 14, 7 × 10", "38 – вярно", "106"},
      {"променената", "1 × 70, 2 × 35, 5 × 14, 7 × 10", "38 – вярно", "106"},
      {"всяка страна a от 1 до N", "7 × 10", "38 – вярно", "69"},
      {"формулата", "9 × 8", "38 – вярно", "1"}};
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column)
      EXPECT_EQ(Cell(row, column), expected[static_cast<size_t>(row)][static_cast<size_t>(column)]);
  }
  // Three lines in the chart: the changed program works as the program as written.
  EXPECT_EQ(page->Chart()->Scene().lines.size(), 3u);
  EXPECT_TRUE(page->Chart()->accessibleDescription().startsWith("Диаграма „Колко работа“"));
}

TEST_F(ChangePage, ASwitchOffAndOnFromTheKeyboardChangesItsLineTheTableAndTheChart) {
  Open();
  QCheckBox* root = page->Switch(Part::kRootSide);
  EXPECT_EQ(root->text(), "делителите i до RootSide");
  EXPECT_TRUE(root->isChecked());
  TabTo(root);
  QTest::keyClick(root, Qt::Key_Space);
  EXPECT_FALSE(root->isChecked());
  EXPECT_FALSE(program.lessons.change.On(Part::kRootSide));
  EXPECT_EQ(Spaced(page->ProgramLine(11)->text().toStdString()),
            "11  ScanDivisors: за i от 2 до N");
  EXPECT_TRUE(page->ProgramLine(11)->font().bold());
  EXPECT_EQ(Spaced(page->ProgramLine(11)->accessibleName().toStdString()),
            "Ред 11, променен: ScanDivisors: за i от 2 до N");
  EXPECT_EQ(Cell(1, 3), "874");
  EXPECT_EQ(page->Chart()->Scene().lines.size(), 4u);  // its work differs now
  EXPECT_EQ(page->HuntHeading()->text(), "Изпробвай промяната");
  EXPECT_EQ(Spaced(page->HuntTask()->text().toStdString()),
            "Тази програма намира най-малката рамка за всяко N от 1 до 16 380. Защо?");
  EXPECT_TRUE(page->Button(Button::kWhy)->isVisible());
  EXPECT_FALSE(page->Guess()->isVisible());
  page->Button(Button::kWhy)->click();
  EXPECT_TRUE(page->Said()->text().startsWith("С делителите до N"));
  EXPECT_EQ(page->Said()->accessibleName(), page->Said()->text());

  QTest::keyClick(root, Qt::Key_Space);  // and on again: the program as written
  EXPECT_TRUE(root->isChecked());
  EXPECT_FALSE(page->ProgramLine(11)->font().bold());
  EXPECT_EQ(Cell(1, 3), "106");
  EXPECT_TRUE(page->Said()->text().isEmpty());
  EXPECT_TRUE(page->Said()->accessibleName().isEmpty());
}

TEST_F(ChangePage, TheTableForFiveAndTheHuntForAWrongN) {
  Open();
  QTest::keyClick(page->Count(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(page->Count(), "5");
  QCheckBox* larger = page->Switch(Part::kLargerAreas);
  TabTo(larger);
  QTest::keyClick(larger, Qt::Key_Space);
  EXPECT_TRUE(page->ProgramLine(7)->font().strikeOut());
  EXPECT_EQ(Cell(1, 1), "1 × 5, 3 × 3");
  EXPECT_EQ(Cell(1, 2), "16 – грешно: най-малката е 14");
  EXPECT_EQ(Cell(0, 2), "14 – вярно");
  EXPECT_EQ(Cell(1, 3), "1");

  // The hunt: a right N, a wrong one, and after three tries the smallest.
  EXPECT_EQ(page->HuntHeading()->text(), "Намери грешката");
  EXPECT_TRUE(page->Guess()->isVisible());
  EXPECT_FALSE(page->Button(Button::kWhy)->isVisible());
  TabTo(page->Guess());
  const struct {
    const char* guess;
    const char* said;
  } tries[] = {
      {"6", "За 6 тази програма намира най-малката рамка, 14."},
      {"70", "За 70 тази програма намира най-малката рамка, 38."},
      {"11",
       "Да, тук тя греши. За 11 тази програма завършва с 4 × 4, рамка 20, а програмата, както е "
       "написана – с 3 × 4, рамка 18: най-малката рамка е 18, а не 20."},
  };
  for (const auto& each : tries) {
    EXPECT_FALSE(page->Button(Button::kSmallest)->isEnabled()) << each.guess;
    QTest::keyClick(page->Guess(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(page->Guess(), each.guess);
    QTest::keyClick(page->Guess(), Qt::Key_Return);
    EXPECT_EQ(Spaced(page->Said()->text().toStdString()), each.said);
    EXPECT_EQ(page->Said()->accessibleName(), page->Said()->text());  // read out
  }
  ASSERT_TRUE(page->Button(Button::kSmallest)->isEnabled());
  TabTo(page->Button(Button::kSmallest));
  QTest::keyClick(Focused(), Qt::Key_Space);
  EXPECT_TRUE(page->Said()->text().startsWith("Най-малкото N, за което тази програма греши, е 5."))
      << page->Said()->text().toStdString();
}

// The legend under the program: each name with its meaning, √N with the page's N, the same words
// for a screen reader.
TEST_F(ChangePage, TheLegendExplainsEachNameOfTheProgram) {
  Open();
  const QString shown = page->Legend()->text();
  for (const char* name : {"N", "LetterCount", "RootSide", "SquareSide", "BestFrame",
                           "ScanDivisors", "mod", "div", "i × j", "деления"})
    EXPECT_TRUE(shown.startsWith(QString::fromUtf8(name) + " – ") ||
                shown.contains(". " + QString::fromUtf8(name) + " – "))
        << name;
  EXPECT_EQ(page->Legend()->accessibleName(), shown);
  const std::string said = Spaced(page->Legend()->accessibleName().toStdString());
  EXPECT_EQ(said.rfind("N – броят на буквите, от 1 до 16 380.", 0), 0u);
  EXPECT_NE(said.find("√70 ≈ 8,37: числото, което, умножено по себе си, дава 70; 8 × 8 = 64, "
                      "9 × 9 = 81."),
            std::string::npos);
  EXPECT_NE(said.find("mod – остатъкът при деление. div – частното без остатъка."),
            std::string::npos);
  QTest::keyClick(page->Count(), Qt::Key_Up);  // 71, and the legend follows
  EXPECT_NE(Spaced(page->Legend()->accessibleName().toStdString()).find("√71 ≈ 8,43"),
            std::string::npos);
}

// A box that holds no N: the table keeps its programs' names and nothing else, the chart marks no
// N, the note says what the box takes; an N typed again fills them.
TEST_F(ChangePage, ABoxWithoutAnNEmptiesTheTable) {
  Open();
  QTest::keyClick(page->Count(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(page->Count(), "2,5");
  EXPECT_EQ(page->Count()->Text(), "2,5");
  EXPECT_EQ(Spaced(page->CountNote()->text().toStdString()), "N е цяло число от 1 до 16 380.");
  for (int row = 0; row < 4; ++row) {
    EXPECT_FALSE(Cell(row, 0).empty());
    for (int column = 1; column < 4; ++column)
      EXPECT_EQ(Cell(row, column), "") << row << ", " << column;
  }
  EXPECT_FALSE(page->Legend()->accessibleName().contains("√70"));
  EXPECT_FALSE(page->Chart()->accessibleDescription().contains("N = 70"));
  QTest::keyClick(page->Count(), Qt::Key_Backspace);
  QTest::keyClick(page->Count(), Qt::Key_Backspace);
  EXPECT_EQ(Cell(0, 1), "1 × 2");  // N = 2, no divisor to try
  EXPECT_EQ(Cell(0, 3), "0");
  EXPECT_TRUE(page->CountNote()->text().isEmpty());
}

// In a window too small for the whole page, the page scrolls up and down, never sideways, and the
// control the keyboard reaches, and what the hunt says, stand in view.
TEST_F(ChangePage, ScrollsToWhatTheKeyboardReaches) {
  Open();
  window->resize(lessons::placement::kLeastWidth, lessons::placement::kLeastHeight);
  QApplication::processEvents();
  QScrollArea* scroll = page->Scroll();
  ASSERT_GT(page->Content()->height(), scroll->viewport()->height());
  EXPECT_LE(page->Content()->width(), scroll->viewport()->width());
  const auto in_view = [&](QWidget* widget) {
    const QRect shown(widget->mapTo(scroll->viewport(), QPoint(0, 0)), widget->size());
    return scroll->viewport()->rect().contains(shown);
  };
  EXPECT_TRUE(in_view(page->Count()));
  page->Switch(Part::kLargerAreas)->click();
  TabTo(page->Guess());
  EXPECT_TRUE(in_view(page->Guess()));
  QTest::keyClicks(page->Guess(), "5");
  QTest::keyClick(page->Guess(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_TRUE(in_view(page->Said()));
  // Tab goes through the table, not from cell to cell, and round to N.
  TabTo(page->Count());
  EXPECT_TRUE(in_view(page->Count()));
}

}  // namespace
