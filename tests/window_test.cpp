// The program end to end on real Qt widgets, driven by real mouse and key events: what a user
// does and what the window then shows.
#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <optional>

#include "desktop/program.h"
#include "qt_printing.h"

namespace {

QStringList Items(const QListWidget* list) {
  QStringList items;
  for (int row = 0; row < list->count(); ++row)
    items << list->item(row)->text();
  return items;
}

// Clicks a widget the way the window system delivers a click: to the window, which passes it on
// unless a modal box blocks it.
void ClickThroughWindow(QWidget* widget) {
  QWidget* window = widget->window();
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                    widget->mapTo(window, widget->rect().center()));
}

// Watches for the error box: once it is up, notes what it says and whether it blocks the window,
// tries to press "Изчисти" under it, and dismisses it.
class ErrorBoxWatch {
 public:
  explicit ErrorBoxWatch(QPushButton* clear) : clear_(clear) { Poll(); }

  std::optional<QString> text, title;
  bool application_modal = false;

 private:
  void Poll() {
    QTimer::singleShot(10, &context_, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr) return Poll();
      text = box->text();
      title = box->windowTitle();
      application_modal = box->isModal() && box->windowModality() == Qt::ApplicationModal;
      ClickThroughWindow(clear_);  // blocked while the box is up
      box->button(QMessageBox::Ok)->click();
    });
  }
  QPushButton* clear_;
  QObject context_;  // ends the polling with the watch
};

class Window : public testing::Test {
 protected:
  void SetUp() override {
    program.Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.view));
    for (int i = 0; i < 2; ++i) {
      box[i] = qobject_cast<QLineEdit*>(program.view.Control("Text2", i));
      option[i] = qobject_cast<QRadioButton*>(program.view.Control("Option1", i));
      button[i] = qobject_cast<QPushButton*>(program.view.Control("Command1", i));
    }
    for (int i = 0; i < 3; ++i)
      list[i] = qobject_cast<QListWidget*>(program.view.Control("List1", i));
  }

  // Types each character as its own key press, Cyrillic letters included.
  static void Type(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
      const auto key = static_cast<Qt::Key>(c.toUpper().unicode());
      QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
      QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
    }
  }

  void Retype(QLineEdit* widget, const QString& text) {
    QTest::mouseClick(widget, Qt::LeftButton);
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(widget, Qt::Key_Backspace);
    Type(widget, text);
  }

  void ClickRow(QListWidget* widget, int row) {
    const QRect rect = widget->visualItemRect(widget->item(row));
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, rect.center());
  }

  std::array<QStringList, 3> Shown() const {
    return {Items(list[0]), Items(list[1]), Items(list[2])};
  }

  desktop::Program program;
  std::array<QLineEdit*, 2> box{};
  std::array<QRadioButton*, 2> option{};
  std::array<QPushButton*, 2> button{};
  std::array<QListWidget*, 3> list{};
};

using Lists = std::array<QStringList, 3>;
const Lists kSeventy = {
    QStringList{"1", "2", "5", "7"}, {"70", "35", "14", "10"}, {"146", "78", "42", "38"}};

TEST_F(Window, OpensInCountModeAndCalculatesSeventy) {
  EXPECT_EQ(box[1]->text(), "70");
  EXPECT_TRUE(box[1]->isEnabled());
  EXPECT_EQ(box[0]->text(), "");
  EXPECT_FALSE(box[0]->isEnabled());
  EXPECT_TRUE(option[1]->isChecked());
  EXPECT_FALSE(option[0]->isChecked());
  EXPECT_EQ(Shown(), Lists{});

  QTest::mouseClick(button[0], Qt::LeftButton);
  EXPECT_EQ(Shown(), kSeventy);
}

TEST_F(Window, AMantraTypedKeyByKeyGivesItsLengthAndRows) {
  QTest::mouseClick(option[0], Qt::LeftButton);
  EXPECT_TRUE(option[0]->isChecked());
  EXPECT_FALSE(option[1]->isChecked());
  EXPECT_TRUE(box[0]->isEnabled());
  EXPECT_FALSE(box[1]->isEnabled());
  EXPECT_EQ(box[1]->text(), "");

  QTest::mouseClick(box[0], Qt::LeftButton);
  Type(box[0], QStringLiteral("Ом мани падме хум"));
  EXPECT_EQ(box[0]->text(), QStringLiteral("Ом мани падме хум"));
  QTest::mouseClick(button[0], Qt::LeftButton);
  EXPECT_EQ(box[1]->text(), "17");
  EXPECT_EQ(Shown(), (Lists{QStringList{"1", "2", "3"}, {"17", "9", "6"}, {"40", "26", "22"}}));

  // Back to the count: everything is cleared, the count box takes the typing again.
  QTest::mouseClick(option[1], Qt::LeftButton);
  EXPECT_EQ(box[0]->text(), "");
  EXPECT_EQ(box[1]->text(), "");
  EXPECT_FALSE(box[0]->isEnabled());
  EXPECT_TRUE(box[1]->isEnabled());
  EXPECT_EQ(Shown(), Lists{});
}

TEST_F(Window, AClickOnARowSelectsItInAllThreeLists) {
  Retype(box[1], "16e3");
  QTest::mouseClick(button[0], Qt::LeftButton);
  ASSERT_EQ(list[0]->count(), 16);
  for (int clicked = 0; clicked < 3; ++clicked) {
    for (const int row : {3, 0, 15, 7}) {
      ClickRow(list[clicked], row);
      for (const QListWidget* each : list) {
        EXPECT_EQ(each->currentRow(), row) << clicked;
        ASSERT_EQ(each->selectedItems().size(), 1);
        EXPECT_EQ(each->row(each->selectedItems().front()), row);
      }
    }
  }
  // The keyboard moves the selection of all three as well.
  list[2]->setFocus();
  QTest::keyClick(list[2], Qt::Key_Down);
  for (const QListWidget* each : list)
    EXPECT_EQ(each->currentRow(), 8);
}

TEST_F(Window, TheClearButtonEmptiesBoxesAndListsAndKeepsTheMode) {
  QTest::mouseClick(option[0], Qt::LeftButton);
  QTest::mouseClick(box[0], Qt::LeftButton);
  Type(box[0], "abc");
  QTest::mouseClick(button[0], Qt::LeftButton);
  ASSERT_EQ(box[1]->text(), "3");
  QTest::mouseClick(button[1], Qt::LeftButton);
  EXPECT_EQ(box[0]->text(), "");
  EXPECT_EQ(box[1]->text(), "");
  EXPECT_EQ(Shown(), Lists{});
  EXPECT_TRUE(option[0]->isChecked());
  EXPECT_TRUE(box[0]->isEnabled());
  EXPECT_FALSE(box[1]->isEnabled());
}

TEST_F(Window, TypingStopsAtTheLimitOfEachBox) {
  Retype(box[1], "123456");
  EXPECT_EQ(box[1]->text(), "1234");
  QTest::keyClick(box[1], Qt::Key_Home);
  Type(box[1], "9");
  EXPECT_EQ(box[1]->text(), "1234");

  QTest::mouseClick(option[0], Qt::LeftButton);
  QTest::mouseClick(box[0], Qt::LeftButton);
  Type(box[0], QString(98, QChar(u'ж')) + QStringLiteral("абв"));
  EXPECT_EQ(box[0]->text(), QString(98, QChar(u'ж')) + QStringLiteral("аб"));
  QTest::keyClick(box[0], Qt::Key_Backspace);
  Type(box[0], QStringLiteral("яю"));
  EXPECT_EQ(box[0]->text(), QString(98, QChar(u'ж')) + QStringLiteral("ая"));
  EXPECT_EQ(box[0]->cursorPosition(), 100);
}

TEST_F(Window, EnterAndEscapePressNoButton) {
  QTest::mouseClick(box[1], Qt::LeftButton);
  QTest::keyClick(box[1], Qt::Key_Return);
  QTest::keyClick(box[1], Qt::Key_Enter);
  QTest::keyClick(box[1], Qt::Key_Escape);
  button[0]->setFocus();
  QTest::keyClick(button[0], Qt::Key_Return);
  QTest::keyClick(button[0], Qt::Key_Escape);
  EXPECT_EQ(Shown(), Lists{});
  EXPECT_EQ(box[1]->text(), "70");
  EXPECT_TRUE(program.view.isVisible());
  QTest::keyClick(button[0], Qt::Key_Space);  // the keyboard's way to press a button
  EXPECT_EQ(Shown(), kSeventy);
}

TEST_F(Window, TheIllustrationIsOnlyAPicture) {
  QTest::mouseClick(button[0], Qt::LeftButton);
  for (int i = 0; i < 13; ++i) {
    QTest::mouseClick(program.view.Control("Command2", i), Qt::LeftButton);
  }
  EXPECT_EQ(Shown(), kSeventy);
  EXPECT_EQ(box[1]->text(), "70");
  ClickThroughWindow(button[1]);  // with no box up, a click through the window arrives
  EXPECT_EQ(Shown(), Lists{});
}

TEST_F(Window, AnErrorShowsItsBoxAndTheWindowGoesOn) {
  const struct {
    const char* count;
    int number;
    const char* description;
    Lists rows;
  } cases[] = {
      {"9e9", 6, "Препълване", kSeventy},  // before the lists are cleared
      {"2e4", 6, "Препълване", {QStringList{"1"}, {"20000"}, {}}},
      {"-1",
       5,
       "Невалидно извикване на процедура или невалиден аргумент",
       {QStringList{"1"}, {"-1"}, {"4"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    Retype(box[1], "70");
    QTest::mouseClick(button[0], Qt::LeftButton);
    Retype(box[1], c.count);
    ErrorBoxWatch watch(button[1]);
    QTest::mouseClick(button[0], Qt::LeftButton);
    ASSERT_TRUE(watch.text.has_value());
    EXPECT_EQ(*watch.title, QStringLiteral("Математика - периметър на правоъгълник"));
    EXPECT_EQ(*watch.text, QStringLiteral("Грешка при изпълнение %1:\n%2")
                               .arg(c.number)
                               .arg(QString::fromUtf8(c.description)));
    EXPECT_TRUE(watch.application_modal);
    EXPECT_EQ(Shown(), c.rows);  // the click on "Изчисти" under the box did nothing
    EXPECT_EQ(box[1]->text(), c.count);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    for (int i = 0; i < 3; ++i) {
      if (list[i]->count() > 0) ClickRow(list[i], 0);
    }
    Retype(box[1], "70");
    QTest::mouseClick(button[0], Qt::LeftButton);
    EXPECT_EQ(Shown(), kSeventy);
  }
}

}  // namespace

namespace {

// The texts of the context menu that a right click opens on `widget`.
QStringList ContextMenu(QWidget* widget) {
  if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) widget = area->viewport();
  const QPoint centre = widget->rect().center();
  QContextMenuEvent event(QContextMenuEvent::Mouse, centre, widget->mapToGlobal(centre));
  QApplication::sendEvent(widget, &event);
  QStringList texts;
  QWidget* menu = QApplication::activePopupWidget();
  if (menu == nullptr) return texts;
  for (const QAction* action : menu->actions()) {
    if (!action->isSeparator()) texts << action->text().remove('&').section('\t', 0, 0);
  }
  menu->close();
  return texts;
}

}  // namespace

TEST_F(Window, QtsOwnTextsReadInBulgarian) {
  QMessageBox error_box(QMessageBox::Critical, "", "", QMessageBox::Ok);
  const struct {
    const char* what;
    QStringList texts;
  } cases[] = {
      {"count box", ContextMenu(box[1])},
      {"statement", ContextMenu(program.view.Control("Text1", 0))},
      {"error box", {error_box.button(QMessageBox::Ok)->text()}},
  };
  const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
  for (const auto& c : cases) {
    EXPECT_FALSE(c.texts.isEmpty()) << c.what;
    for (const QString& text : c.texts)
      EXPECT_FALSE(text.contains(latin)) << c.what << ": " << text.toStdString();
  }
}
