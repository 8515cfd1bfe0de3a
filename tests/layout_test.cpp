// The window as it stands on the screen: every control at its rectangle, with its text, colour,
// font, accessible name and place in the tab order.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <set>
#include <string>
#include <vector>

#include "desktop/program.h"
#include "qt_printing.h"
#include "window/layout.h"

namespace {

using window::layout::Kind;

QString Text(const QWidget* widget) {
  if (auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(widget)) return button->text();
  if (auto* frame = qobject_cast<const QGroupBox*>(widget)) return frame->title();
  if (auto* note = qobject_cast<const QPlainTextEdit*>(widget)) return note->toPlainText();
  return {};
}

QString Name(const QWidget* widget) {
  QAccessibleInterface* accessible =
      QAccessible::queryAccessibleInterface(const_cast<QWidget*>(widget));
  return accessible != nullptr ? accessible->text(QAccessible::Name) : QString();
}

class Layout : public testing::Test {
 protected:
  void SetUp() override {
    program.Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.view));
  }
  QWidget* Control(const std::string& name, int index) { return program.view.Control(name, index); }
  desktop::Program program;
};

TEST_F(Layout, TheWindowHasItsSizeCaptionAndIcon) {
  // The client area keeps its size; the menu bar stands above it, and the window grows by it.
  QWidget* client = program.view.Client();
  EXPECT_EQ(client->size(), QSize(475, 424));  // 7125 × 6360 twips
  const QRect bar = program.view.MenuBar()->geometry();
  EXPECT_EQ(bar.topLeft(), QPoint(0, 0));
  EXPECT_GT(bar.height(), 10);
  EXPECT_EQ(bar.width(), 475);
  EXPECT_EQ(client->mapTo(&program.view, QPoint(0, 0)), QPoint(0, bar.height()));
  EXPECT_EQ(program.view.size(), QSize(475, 424 + bar.height()));
  EXPECT_EQ(program.view.minimumSize(), program.view.maximumSize());
  EXPECT_EQ(program.view.windowTitle(), QStringLiteral("Математика - периметър на правоъгълник"));
  EXPECT_EQ(client->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xFF));
  EXPECT_FALSE(program.view.windowIcon().isNull());
  EXPECT_EQ(program.view.windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
  EXPECT_EQ(QApplication::applicationVersion(), QStringLiteral("1.00"));
}

TEST_F(Layout, EveryControlStandsAtItsRectangleWithItsTextColourAndFont) {
  const QColor default_base = QApplication::palette().color(QPalette::Active, QPalette::Base);
  for (const window::layout::Control& control : window::layout::kControls) {
    SCOPED_TRACE(std::string(control.name) + "(" + std::to_string(control.index) + ")");
    QWidget* widget = Control(control.name, control.index);
    ASSERT_NE(widget, nullptr);

    const bool in_frame = control.kind == Kind::kOption;
    const int dx = in_frame ? 5160 : 0;
    const int dy = in_frame ? 960 : 0;
    const int left = (2 * (control.left + dx) + 15) / 30;
    const int top = (2 * (control.top + dy) + 15) / 30;
    const int right = (2 * (control.left + dx + control.width) + 15) / 30;
    const int bottom = (2 * (control.top + dy + control.height) + 15) / 30;
    EXPECT_EQ(widget->mapTo(program.view.Client(), QPoint(0, 0)), QPoint(left, top));
    EXPECT_EQ(widget->size(), QSize(right - left, bottom - top));

    if (control.kind != Kind::kTextBox && control.kind != Kind::kList) {
      EXPECT_EQ(
          Text(widget),
          QString::fromUtf8(control.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    }
    if (control.colour) {
      const QColor colour(control.colour->red, control.colour->green, control.colour->blue);
      EXPECT_EQ(widget->palette().color(widget->backgroundRole()), colour);
      EXPECT_TRUE(widget->autoFillBackground());
    } else {
      EXPECT_EQ(widget->palette().color(QPalette::Active, QPalette::Base), default_base);
    }
    const QFontInfo font(widget->font());
    EXPECT_TRUE(font.family() == "Times New Roman" || font.family() == "Liberation Serif")
        << font.family().toStdString();
    EXPECT_EQ(font.pointSize(), 12);
    EXPECT_FALSE(font.bold() || font.italic() || font.underline() || font.strikeOut());
    EXPECT_EQ(widget->isVisible(), !control.hidden);
  }
}

TEST_F(Layout, SomeRectanglesInPixels) {
  const struct {
    const char* name;
    int index;
    QRect rect;  // relative to the parent
  } cases[] = {
      {"Text1", 0, QRect(8, 256, 457, 161)},     {"Label1", 0, QRect(56, 0, 321, 25)},
      {"Text2", 0, QRect(104, 32, 361, 27)},     {"Command1", 0, QRect(232, 64, 89, 25)},
      {"Command1", 1, QRect(384, 0, 81, 25)},    {"Frame1", 0, QRect(344, 64, 121, 73)},
      {"Option1", 0, QRect(8, 24, 105, 19)},     {"Option1", 1, QRect(8, 43, 105, 19)},
      {"List1", 2, QRect(232, 128, 89, 118)},    {"Command2", 9, QRect(340, 147, 80, 20)},
      {"Command2", 10, QRect(340, 167, 20, 80)}, {"Command2", 4, QRect(380, 187, 20, 20)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Control(c.name, c.index)->geometry(), c.rect) << c.name << c.index;
  }
  // The quotation reaches past the window's bottom and right edges, cut off there.
  EXPECT_EQ(Control("Text1", 1)->geometry(), QRect(40, 312, 449, 121));
}

// The nine letter squares and four bars cover a 5 × 5 square of 20-pixel cells, every pixel
// exactly once.
TEST_F(Layout, TheIllustrationTilesItsPictureWithoutGapsOrOverlaps) {
  const QRect picture(340, 147, 100, 100);
  std::vector<int> covered(static_cast<size_t>(picture.width() * picture.height()), 0);
  for (int index = 0; index < 13; ++index) {
    const QRect rect = Control("Command2", index)->geometry();
    ASSERT_TRUE(picture.contains(rect)) << index;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
      for (int x = rect.left(); x <= rect.right(); ++x) {
        ++covered[static_cast<size_t>((y - picture.top()) * picture.width() + x - picture.left())];
      }
    }
    const QColor colour = Control("Command2", index)->palette().color(QPalette::Button);
    EXPECT_EQ(colour, index < 9 ? QColor(0x80, 0x80, 0x00) : QColor(0xC0, 0xC0, 0x00)) << index;
  }
  EXPECT_EQ(std::set<int>(covered.begin(), covered.end()), std::set<int>{1});
}

TEST_F(Layout, TheTabOrderRunsAsTheTableGivesItIllustrationLast) {
  // Of the two options, only the selected one is a tab stop.
  std::vector<std::string> expected = {"Text1(0)", "Text1(1)",  "Text2(0)",    "List1(0)",
                                       "List1(1)", "List1(2)",  "Command1(0)", "Command1(1)",
                                       "Text2(1)", "Option1(1)"};
  for (int i = 0; i < 13; ++i)
    expected.push_back("Command2(" + std::to_string(i) + ")");

  std::vector<std::string> chain;
  QWidget* first = Control("Text1", 0);
  QWidget* widget = first;
  do {
    if ((widget->focusPolicy() & Qt::TabFocus) && !widget->objectName().isEmpty() &&
        widget->objectName().contains('(')) {
      chain.push_back(widget->objectName().toStdString());
    }
    widget = widget->nextInFocusChain();
  } while (widget != first && chain.size() < 100);
  EXPECT_EQ(chain, expected);

  // Pressing Tab skips the hidden quotation and the disabled mantra box.
  first->setFocus();
  QTest::keyClick(first, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), Control("List1", 0));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), Control("List1", 1));
}

// Tab and Shift+Tab enter the option group at the selected option, as on Windows and the page.
TEST_F(Layout, TabEntersTheOptionsAtTheSelectedOne) {
  const auto focus_after = [](QWidget* from, Qt::Key key) {
    from->setFocus();
    QTest::keyClick(from, key);
    return QApplication::focusWidget();
  };
  EXPECT_EQ(focus_after(Control("Text2", 1), Qt::Key_Tab), Control("Option1", 1));
  EXPECT_EQ(focus_after(Control("Command2", 0), Qt::Key_Backtab), Control("Option1", 1));
  QTest::keyClick(Control("Option1", 1), Qt::Key_Up);  // the arrows choose within the group
  ASSERT_EQ(QApplication::focusWidget(), Control("Option1", 0));
  ASSERT_TRUE(static_cast<QRadioButton*>(Control("Option1", 0))->isChecked());
  EXPECT_EQ(focus_after(Control("Command2", 0), Qt::Key_Backtab), Control("Option1", 0));
  EXPECT_EQ(focus_after(Control("Option1", 0), Qt::Key_Tab), Control("Command2", 0));
  EXPECT_EQ(focus_after(Control("Command1", 1), Qt::Key_Tab), Control("Option1", 0));
}

TEST_F(Layout, TheFixedTextsStandLineByLine) {
  const QStringList statement =
      static_cast<QPlainTextEdit*>(Control("Text1", 0))->toPlainText().split('\n');
  ASSERT_EQ(statement.size(), 6);  // five lines, the last one ended too
  EXPECT_EQ(statement[5], QString());
  EXPECT_TRUE(statement[0].startsWith(QStringLiteral("Собственик на просперираща фирма")));
  EXPECT_TRUE(statement[0].contains(QStringLiteral("колаж \u2013 в множество")));
  EXPECT_TRUE(statement[0].contains(QStringLiteral("дилема:  ако се съгласи")));
  EXPECT_TRUE(statement[0].endsWith(QStringLiteral("златната рамка да е с минимален периметър.")));
  EXPECT_EQ(statement[1],
            QStringLiteral("Да се реализира проект, представящ междупредметни връзки между "
                           "Математика и Информатика."));
  EXPECT_EQ(statement[2],
            QStringLiteral("Тема на проекта: Математика \u2013 рамка с минимален периметър."));
  EXPECT_TRUE(statement[3].startsWith(QStringLiteral("Входни данни за проекта:")));
  EXPECT_TRUE(statement[4].endsWith(QStringLiteral("размер на рамката с минимален периметър.")));

  const QStringList quotation =
      static_cast<QPlainTextEdit*>(Control("Text1", 1))->toPlainText().split('\n');
  EXPECT_EQ(quotation,
            (QStringList{QStringLiteral("Неприятното в това да си първият, направил нещо по "),
                         QStringLiteral("правилния начин, е, че никой не оценява колко трудно е "),
                         QStringLiteral("било. "), QString()}));
  EXPECT_TRUE(Control("Text1", 1)->isHidden());
  for (int i = 0; i < 2; ++i) {
    EXPECT_TRUE(static_cast<QPlainTextEdit*>(Control("Text1", i))->isReadOnly());
  }
}

TEST_F(Layout, InputsAndListsCarryTheNamesOfTheirHeadings) {
  const struct {
    const char* name;
    int index;
    const char* accessible_name;
  } cases[] = {
      {"Text2", 0, "Мантра"},
      {"Text2", 1, "Брой букви"},
      {"List1", 0, "по абсциса"},
      {"List1", 1, "по ордината"},
      {"List1", 2, "периметър"},
      {"Command1", 0, "Изчисли"},
      {"Option1", 1, "Брой букви"},
      {"Command2", 0, "Квадрат с буква, ред 1, колона 1"},
      {"Command2", 12, "Златна рамка, дясна страна"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Name(Control(c.name, c.index)), QString::fromUtf8(c.accessible_name)) << c.name;
  }
  for (int i = 0; i < 13; ++i)
    EXPECT_FALSE(Name(Control("Command2", i)).isEmpty());
}

}  // namespace
