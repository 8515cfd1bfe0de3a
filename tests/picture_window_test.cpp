// The picture of the selected row in its own Qt window: how a user opens it from a list, what it
// paints, how it follows the list, and how it closes, leaving the form as it was.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <map>

#include "desktop/picture_window.h"
#include "desktop/program.h"
#include "painted_squares.h"
#include "qt_printing.h"

namespace {

namespace picture = lessons::picture;

class PictureWindow : public testing::Test {
 protected:
  void SetUp() override {
    program.Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.view));
    for (int i = 0; i < 3; ++i)
      list[i] = qobject_cast<QListWidget*>(program.view.Control("List1", i));
    calculate = qobject_cast<QPushButton*>(program.view.Control("Command1", 0));
    QTest::mouseClick(calculate, Qt::LeftButton);  // the four rows for 70
  }

  QPoint RowCentre(QListWidget* widget, int row) const {
    return widget->visualItemRect(widget->item(row)).center();
  }

  bool PictureShown() const {
    return program.view.Picture() != nullptr && program.view.Picture()->isVisible();
  }

  // The picture's words, their no-break spaces read as blanks.
  QString Words() const {
    return program.view.Picture()->Canvas()->accessibleName().replace(QChar(0xA0), ' ');
  }

  std::map<QRgb, int> PaintedSquares() const {
    return ::PaintedSquares(program.view.Picture()->Canvas(), program.view.Picture()->Picture());
  }

  desktop::Program program;
  std::array<QListWidget*, 3> list{};
  QPushButton* calculate = nullptr;
};

constexpr QRgb kGold = 0xC0C000;
constexpr QRgb kOlive = 0x808000;

TEST_F(PictureWindow, ADoubleClickOnARowShowsItsSquaresAndWords) {
  EXPECT_FALSE(list[2]->toolTip().isEmpty());
  list[2]->setFocus();
  // As the window system delivers a double-click: press, release, press, release.
  QTest::mouseDClick(program.view.windowHandle(), Qt::LeftButton, {},
                     list[2]->viewport()->mapTo(&program.view, RowCentre(list[2], 3)));
  ASSERT_TRUE(PictureShown());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(program.view.Picture()));
  // The first click selected the row everywhere, and the form kept the focus.
  for (const QListWidget* each : list)
    EXPECT_EQ(each->currentRow(), 3);
  EXPECT_EQ(QApplication::focusWidget(), list[2]);
  EXPECT_EQ(Words(), "7 × 10 = 70 квадратчета, 70 букви, рамка от 38 квадратчета");
  EXPECT_EQ(program.view.Picture()->findChild<QLabel*>("words")->text(),
            program.view.Picture()->Canvas()->accessibleName());
  EXPECT_EQ(PaintedSquares(), (std::map<QRgb, int>{{kGold, 38}, {kOlive, 70}}));
  // The window is titled by the page it shows.
  desktop::PictureWindow* window = program.view.Picture();
  EXPECT_EQ(window->windowTitle(), "Картина на реда");
  for (const auto& [page, title] :
       {std::pair{1, "Стъпка по стъпка"}, std::pair{2, "Опитай сам"},
        std::pair{3, "Промени програмата"}, std::pair{0, "Картина на реда"}}) {
    window->ShowPage(page, false);
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8(title));
  }
}

TEST_F(PictureWindow, EnterOpensItTheArrowsMoveItAndEscapeClosesIt) {
  list[1]->setFocus();
  QTest::keyClick(list[1], Qt::Key_Return);  // no row selected yet: nothing opens
  EXPECT_FALSE(PictureShown());

  QTest::mouseClick(list[1]->viewport(), Qt::LeftButton, {}, RowCentre(list[1], 3));
  QTest::keyClick(list[1], Qt::Key_Return);
  ASSERT_TRUE(PictureShown());
  EXPECT_EQ(Words(), "7 × 10 = 70 квадратчета, 70 букви, рамка от 38 квадратчета");

  QTest::keyClick(list[1], Qt::Key_Up);
  EXPECT_EQ(Words(), "5 × 14 = 70 квадратчета, 70 букви, рамка от 42 квадратчета");
  EXPECT_EQ(PaintedSquares(), (std::map<QRgb, int>{{kGold, 42}, {kOlive, 70}}));

  QTest::keyClick(list[1], Qt::Key_Escape);
  EXPECT_FALSE(PictureShown());
  EXPECT_TRUE(program.view.isVisible());

  // The form goes on as before, and a picture opened again says when no row is selected.
  QTest::keyClick(list[1], Qt::Key_Return);
  ASSERT_TRUE(PictureShown());
  QTest::mouseClick(program.view.Control("Command1", 1), Qt::LeftButton);  // "Изчисти"
  EXPECT_EQ(list[0]->count(), 0);
  EXPECT_EQ(Words(), "Първо въведи брой букви и натисни „Изчисли“, после избери ред.");
  QWidget* canvas = program.view.Picture()->Canvas();
  EXPECT_EQ(canvas->grab().toImage().pixel(canvas->rect().center()) & RGB_MASK, 0xC0C0FFu);
  QTest::keyClick(program.view.Picture(), Qt::Key_Escape);  // Escape in the picture itself
  EXPECT_FALSE(PictureShown());
}

TEST_F(PictureWindow, ClosingTheFormClosesThePicture) {
  QTest::mouseClick(list[0]->viewport(), Qt::LeftButton, {}, RowCentre(list[0], 0));
  program.view.OpenPicture();
  ASSERT_TRUE(PictureShown());
  EXPECT_EQ(Words(), "1 × 70 = 70 квадратчета, 70 букви, рамка от 146 квадратчета");
  program.view.close();
  EXPECT_FALSE(PictureShown());
}

}  // namespace
