// The menu bar and "Опитай сам" on real Qt widgets: the menus by keyboard and mouse, a set of
// level 1 played from the keyboard, the solution after two wrong tries, the chart's painted
// marks, and "Виж как го намира програмата".
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextLayout>
#include <QTimer>

#include "desktop/chart_canvas.h"
#include "desktop/number_box.h"
#include "desktop/picture_window.h"
#include "desktop/practice_page.h"
#include "desktop/program.h"
#include "desktop/squares_canvas.h"
#include "desktop/steps_page.h"
#include "painted_squares.h"
#include "plain_text.h"
#include "qt_printing.h"

namespace {

using lessons::menu::Command;
using lessons::practice::Button;
using lessons::practice::CountTask;

class Practice : public testing::Test {
 protected:
  void SetUp() override {
    program.Start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.view));
    QApplication::setActiveWindow(&program.view);
  }

  // Opens the practice as F4 does, with the given counts for its set of level 1.
  void Open(std::vector<int> counts) {
    QTest::keyClick(&program.view, Qt::Key_F4);
    window = program.view.Picture();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    page = window->Practice();
    std::vector<lessons::practice::Task> tasks;
    for (const int count : counts)
      tasks.push_back(CountTask(count));
    program.lessons.practice.Practise(0, tasks);
    QApplication::setActiveWindow(window);
    page->TakeFocus();
  }

  // Types into the focused number box, as a pupil does: all of it replaced.
  static void TypeInto(desktop::NumberBox* box, const QString& typed) {
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, typed);
  }

  // The two sides typed, Tab between them, and Enter.
  void Answer(int across, int down) {
    ASSERT_EQ(QApplication::focusWidget(), page->Across());
    TypeInto(page->Across(), QString::number(across));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), page->Down());
    TypeInto(page->Down(), QString::number(down));
    QTest::keyClick(page->Down(), Qt::Key_Return);
  }

  QWidget* Focused() const { return QApplication::focusWidget(); }
  // What a label says, its formulas' no-break spaces read as blanks.
  static std::string Said(const QLabel* label) { return Spaced(label->text().toStdString()); }

  desktop::Program program;
  desktop::PictureWindow* window = nullptr;
  desktop::PracticePage* page = nullptr;
};

TEST_F(Practice, TheMenusOpenByMnemonicsShortcutsAndTheMouse) {
  QMenuBar* bar = program.view.MenuBar();
  ASSERT_EQ(bar->actions().size(), 2);
  EXPECT_EQ(bar->actions()[0]->text(), "&Урок");
  EXPECT_EQ(bar->actions()[1]->text(), "&Помощ");
  QAction* picture = program.view.Action(Command::kPicture);
  EXPECT_EQ(picture->text(), "&Картина на реда");
  EXPECT_EQ(picture->shortcut(), QKeySequence(Qt::Key_F2));
  EXPECT_EQ(program.view.Action(Command::kAbout)->shortcut(), QKeySequence(Qt::Key_F1));

  // No row selected: the picture cannot act, and is shown disabled rather than hidden.
  EXPECT_FALSE(picture->isEnabled());
  EXPECT_TRUE(picture->isVisible());
  QTest::keyClick(&program.view, Qt::Key_F2);
  EXPECT_EQ(program.view.Picture(), nullptr);

  // Alt+У opens "Урок"; Down twice and Enter choose "Опитай сам".
  QTest::sendKeyEvent(QTest::Click, &program.view, static_cast<Qt::Key>(QChar(u'У').unicode()),
                      QStringLiteral("у"), Qt::AltModifier);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->title(), "&Урок");
  // The keyboard starts at the first item in use: the picture is disabled and skipped.
  EXPECT_EQ(menu->activeAction(), program.view.Action(Command::kSteps));
  QTest::keyClick(menu, Qt::Key_Down);
  EXPECT_EQ(menu->activeAction(), program.view.Action(Command::kPractice));
  QTest::keyClick(menu, Qt::Key_Return);
  ASSERT_NE(program.view.Picture(), nullptr);
  EXPECT_TRUE(program.view.Picture()->isVisible());
  EXPECT_EQ(program.view.Picture()->Pages()->currentIndex(), 2);

  // With a row selected, a click on "Урок" and on "Картина на реда" shows that row's picture.
  QTest::mouseClick(program.view.Control("Command1", 0), Qt::LeftButton);
  auto* list = qobject_cast<QListWidget*>(program.view.Control("List1", 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                    list->visualItemRect(list->item(3)).center());
  EXPECT_TRUE(picture->isEnabled());
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(bar->actions()[0]).center());
  menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(picture).center());
  EXPECT_EQ(program.view.Picture()->Pages()->currentIndex(), 0);
  EXPECT_EQ(Spaced(program.view.Picture()->Picture().Words()),
            "7 × 10 = 70 квадратчета, 70 букви, рамка от 38 квадратчета");
  // F3 goes to the steps page, at the step that listed the row.
  QTest::keyClick(&program.view, Qt::Key_F3);
  EXPECT_EQ(program.view.Picture()->Pages()->currentIndex(), 1);
  EXPECT_EQ(program.view.Picture()->Steps()->Counter()->text(), "стъпка 13 от 126");

  // F1 shows what the program is, and Enter closes it.
  QApplication::setActiveWindow(&program.view);
  QString about;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    about = box->windowTitle() + "\n" + box->text();
    QTest::keyClick(box, Qt::Key_Return);
  });
  QTest::keyClick(&program.view, Qt::Key_F1);
  EXPECT_TRUE(
      about.startsWith("За програмата\nМатематика - периметър на правоъгълник\nВерсия 1.00"))
      << about.toStdString();
  EXPECT_TRUE(about.contains("MIT"));
}

TEST_F(Practice, ASetOfLevelOnePlayedFromTheKeyboard) {
  Open({7, 16, 13, 3, 10});
  EXPECT_EQ(page->Level()->currentText(), "Ниво 1: до 20 букви");
  EXPECT_EQ(Said(page->Task()),
            "Мантрата има 7 букви, по една в квадратче. Намери правоъгълник, в който се побират "
            "всички, с най-малка златна рамка.");
  EXPECT_EQ(page->Across()->accessibleName(), "по абсциса");
  EXPECT_EQ(page->Down()->accessibleName(), "по ордината");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(page->Across())->role(), QAccessible::SpinBox);

  // 7: a wrong frame first, then a right one at the second try.
  Answer(2, 5);
  EXPECT_EQ(Said(page->Verdict()),
            "Буквите се побират, но златната рамка около 2 × 5 е 2 × 2 + 2 × 5 + 4 = 18 "
            "квадратчета, а има и по-малка. Подсказка: страните на правоъгълника с най-малка "
            "рамка са близки една до друга и до √7 ≈ 2,65: числото, което, умножено по себе си, "
            "дава 7; 2 × 2 = 4.");
  EXPECT_EQ(page->Verdict()->accessibleName(), page->Verdict()->text());  // read out
  EXPECT_EQ(Focused(), page->Button(Button::kRetry));
  EXPECT_FALSE(page->Across()->isEnabled());
  QTest::keyClick(Focused(), Qt::Key_Space);  // "Опитай пак"
  EXPECT_EQ(Focused(), page->Across());
  Answer(3, 3);
  EXPECT_EQ(Said(page->Verdict()),
            "Вярно! Златната рамка около 3 × 3 е от 16 квадратчета – най-малката възможна за 7 "
            "букви. Същата рамка има и 2 × 4.");
  EXPECT_EQ(page->Progress()->text(), "Задача 1 от 5, точки: 1");
  EXPECT_EQ(Focused(), page->Button(Button::kNext));
  QTest::keyClick(Focused(), Qt::Key_Return);  // "Следваща задача"

  // 16: what the boxes cannot read uses no try; letters that do not fit; then the square.
  EXPECT_TRUE(page->Verdict()->accessibleName().isEmpty());  // the old verdict is gone
  EXPECT_EQ(page->Across()->Text(), "1");                    // each task starts from 1 × 1
  TypeInto(page->Across(), "2,5");
  QTest::keyClick(page->Across(), Qt::Key_Return);
  EXPECT_EQ(page->Verdict()->text(), "Страните са цели числа от 1 до 16.");
  EXPECT_EQ(page->Verdict()->accessibleName(), page->Verdict()->text());
  EXPECT_EQ(page->Across()->Text(), "2,5");  // kept as typed
  EXPECT_EQ(page->Progress()->text(), "Задача 2 от 5, точки: 1");
  EXPECT_TRUE(page->Across()->isEnabled());
  // The arrows step the box within 1 to N.
  TypeInto(page->Across(), "40");
  QTest::keyClick(page->Across(), Qt::Key_Up);
  EXPECT_EQ(page->Across()->Text(), "16");
  QTest::keyClick(page->Across(), Qt::Key_Down);
  EXPECT_EQ(page->Across()->Text(), "15");
  Answer(3, 5);
  EXPECT_EQ(
      Said(page->Verdict()),
      "Буквите не се побират: 3 × 5 = 15 квадратчета, а буквите са 16. Без квадратче остава 1 "
      "буква. Подсказка: произведението на страните трябва да е поне 16.");
  EXPECT_EQ(page->Drawing()->Picture().Spilled(), 1);
  EXPECT_EQ(Said(page->DrawingLine()), "3 × 5 = 15 квадратчета, а буквите са 16");
  QTest::keyClick(Focused(), Qt::Key_Return);  // "Опитай пак"
  Answer(4, 4);
  EXPECT_EQ(page->Progress()->text(), "Задача 2 от 5, точки: 2");
  QTest::keyClick(Focused(), Qt::Key_Return);

  // 13, 3 and 10 right at once.
  for (const auto& [across, down] : {std::pair{4, 4}, std::pair{2, 2}, std::pair{3, 4}}) {
    Answer(across, down);
    EXPECT_TRUE(page->Verdict()->text().startsWith("Вярно!"))
        << page->Verdict()->text().toStdString();
    QTest::keyClick(Focused(), Qt::Key_Return);
  }
  // The end of the set: its score and what to do next, and nothing left of the last task.
  EXPECT_EQ(page->Score()->text(), "8 точки от 10  ★★☆");
  EXPECT_EQ(page->Score()->accessibleName(), "8 точки от 10: 2 звезди от 3");
  EXPECT_EQ(page->Best()->text(), "Най-добър резултат на нивото: 8 точки от 10 ★★☆");
  EXPECT_EQ(Said(page->Task()),
            "Петте задачи свършиха: 8 точки от 10. За пет нови задачи натисни „Отначало“ или "
            "избери друго ниво.");
  EXPECT_FALSE(page->Verdict()->isVisible());
  EXPECT_TRUE(page->Verdict()->accessibleName().isEmpty());
  EXPECT_FALSE(page->Across()->isVisible());
  EXPECT_FALSE(page->Drawing()->isVisible());
  EXPECT_FALSE(page->Button(Button::kCheck)->isVisible());
  EXPECT_FALSE(page->Button(Button::kShowProgram)->isVisible());
  EXPECT_EQ(Focused(), page->Button(Button::kRestart));
  // "Отначало" draws a new set of the level.
  QTest::keyClick(Focused(), Qt::Key_Space);
  EXPECT_EQ(page->Progress()->text(), "Задача 1 от 5, точки: 0");
  EXPECT_EQ(Focused(), page->Across());
  EXPECT_TRUE(page->Across()->isVisible());
}

// "Следваща задача", "Отначало" and a new level each leave a screen reader nothing of the old
// verdict, as they leave the page.
TEST_F(Practice, AScreenReaderHearsNoVerdictThatIsGone) {
  Open({70, 9});
  for (const Button pressed : {Button::kNext, Button::kRestart}) {
    Answer(1, 1);
    QTest::keyClick(Focused(), Qt::Key_Return);  // "Опитай пак"
    Answer(1, 2);
    ASSERT_FALSE(page->Verdict()->accessibleName().isEmpty());
    page->Button(pressed)->click();
    EXPECT_TRUE(page->Verdict()->text().isEmpty());
    EXPECT_TRUE(page->Verdict()->accessibleName().isEmpty());
    page->TakeFocus();
  }
  Answer(1, 1);
  page->Level()->setCurrentIndex(2);
  EXPECT_TRUE(page->Verdict()->accessibleName().isEmpty());
}

TEST_F(Practice, TwoWrongTriesShowTheSolutionDrawnAndTheChartMarksIt) {
  Open({70});
  Answer(5, 14);
  QTest::keyClick(Focused(), Qt::Key_Return);  // "Опитай пак"
  Answer(6, 12);
  EXPECT_TRUE(QString::fromStdString(Said(page->Verdict()))
                  .endsWith("Решение: 7 × 10, златна рамка от 38 квадратчета. Същата рамка има и "
                            "8 × 9."));
  EXPECT_EQ(page->Across()->Text(), "7");
  EXPECT_EQ(page->Down()->Text(), "10");
  EXPECT_EQ(Said(page->DrawingLine()), "7 × 10 = 70 квадратчета за 70 букви");
  EXPECT_EQ(PaintedSquares(page->Drawing(), page->Drawing()->Picture()),
            (std::map<QRgb, int>{{0xC0C000, 38}, {0x808000, 70}}));

  // The chart as painted: gold over the sides of the least frame, the lavender bars elsewhere,
  // and the pupil's mark over 6 at the height of 40.
  desktop::ChartCanvas* canvas = page->Chart();
  ASSERT_TRUE(canvas->Chart());
  EXPECT_TRUE(canvas->Chart()->Whole());
  EXPECT_TRUE(canvas->accessibleDescription().startsWith("Диаграма. Стълбът над всяко a"));
  EXPECT_TRUE(QString::fromStdString(Said(page->ChartSentence()))
                  .endsWith("Твоят отговор 6 × 12 има рамка 40."));
  const QImage image = canvas->grab().toImage();
  const lessons::chart::Scene scene =
      lessons::chart::Paint(*canvas->Chart(), canvas->width(), canvas->height());
  const int slot = scene.plot.width / static_cast<int>(canvas->Chart()->Axis().size());
  const int bottom = scene.plot.y + scene.plot.height - 3;
  for (int side = 1; side <= 11; ++side) {
    const int x = scene.plot.x + (side - 1) * slot + slot / 2;
    const QRgb colour = image.pixel(x, bottom) & RGB_MASK;
    EXPECT_EQ(colour, side >= 7 && side <= 10 ? 0xC0C000u : 0x9C9CD8u) << side;
  }
  const int mark_x = scene.plot.x + 5 * slot + slot / 2;
  const int mark_y =
      scene.plot.y + scene.plot.height - static_cast<int>(40 * scene.plot.height / scene.top);
  EXPECT_EQ(image.pixel(mark_x, mark_y) & RGB_MASK, 0x0040C0u);
}

// The chart's words in the font it paints them with each fit the room the scene gives them, so
// that none reaches another; and a formula in a verdict wraps as a whole, never inside.
TEST_F(Practice, TheChartsWordsFitTheirRoomAndNoFormulaBreaks) {
  Open({70, 12});
  Answer(1, 70);
  QTest::keyClick(Focused(), Qt::Key_Return);  // "Опитай пак"
  Answer(5, 14);
  desktop::ChartCanvas* canvas = page->Chart();
  ASSERT_TRUE(canvas->Chart());
  for (const QSize size : {canvas->size(), QSize(340, 220), QSize(200, 150)}) {
    const lessons::chart::Scene scene =
        lessons::chart::Paint(*canvas->Chart(), size.width(), size.height());
    ASSERT_FALSE(scene.texts.empty());
    for (const lessons::chart::Text& text : scene.texts) {
      QFont font = canvas->font();
      font.setPixelSize(text.font_pixels);
      EXPECT_LE(QFontMetrics(font).horizontalAdvance(QString::fromStdString(text.text)),
                text.rect.width)
          << text.text;
    }
  }

  // The verdict laid out as its label lays it out, in a narrow page: each formula on one line.
  const QString verdict = page->Verdict()->text();
  for (const int width : {160, 200, 240, 300}) {
    QTextLayout layout(verdict, page->Verdict()->font());
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(wrapping);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
      line.setLineWidth(width);
    layout.endLayout();
    ASSERT_GT(layout.lineCount(), 2);
    for (const QString& formula : {QString::fromUtf8("2\u00A0×\u00A05\u00A0+\u00A02\u00A0×\u00A014"
                                                     "\u00A0+\u00A04\u00A0=\u00A042"),
                                   QString::fromUtf8("7\u00A0×\u00A010")}) {
      const int at = verdict.indexOf(formula);
      ASSERT_GE(at, 0) << formula.toStdString();
      EXPECT_EQ(layout.lineForTextPosition(at).lineNumber(),
                layout.lineForTextPosition(at + formula.size() - 1).lineNumber())
          << width << " " << formula.toStdString();
    }
  }
}

TEST_F(Practice, ShowInProgramRunsTheTaskInTheWindowAndOpensItsSteps) {
  Open({70});
  Answer(8, 9);
  QPushButton* show = page->Button(Button::kShowProgram);
  EXPECT_EQ(show->text(), "Виж как го намира програмата");
  ASSERT_TRUE(show->isEnabled());
  QTest::keyClick(Focused(), Qt::Key_Tab);
  QTest::keyClick(Focused(), Qt::Key_Tab);
  ASSERT_EQ(Focused(), show);  // after "Следваща задача" and "Отначало"
  QTest::keyClick(show, Qt::Key_Space);

  EXPECT_EQ(qobject_cast<QLineEdit*>(program.view.Control("Text2", 1))->text(), "70");
  auto* list = qobject_cast<QListWidget*>(program.view.Control("List1", 2));
  ASSERT_EQ(list->count(), 4);
  EXPECT_EQ(list->currentRow(), 3);
  EXPECT_EQ(window->Pages()->currentIndex(), 1);
  EXPECT_EQ(window->Steps()->Counter()->text(), "стъпка 13 от 126");
  EXPECT_EQ(Said(window->Steps()->Sentence()),
            "70 = 7 × 10: рамката е 38, по-малка от 42: редът 7, 10, 38 се записва и BestFrame "
            "става 38.");
}

// A screen reader hears each number box's value and the range it takes, as of any spin box, and
// nothing for a box that holds no number; a value it sets is typed into the box.
TEST_F(Practice, TheNumberBoxesTellTheirValueAndRange) {
  Open({7, 16, 13, 3, 10});
  const auto value_of = [](QWidget* box) {
    return QAccessible::queryAccessibleInterface(box)->valueInterface();
  };
  const struct {
    const char* typed;
    QVariant value;
  } cases[] = {{"5", 5},  {"7", 7},    {"1", 1}, {"8", {}},
               {"0", {}}, {"abc", {}}, {"", {}}, {" 3", 3}};
  for (const auto& c : cases) {
    TypeInto(page->Across(), QString::fromUtf8(c.typed));
    QAccessibleValueInterface* value = value_of(page->Across());
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue(), c.value) << c.typed;
    EXPECT_EQ(value->minimumValue(), 1);
    EXPECT_EQ(value->maximumValue(), 7);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(page->Across())->text(QAccessible::Value),
              QString::fromUtf8(c.typed));
  }
  value_of(page->Down())->setCurrentValue(4);
  EXPECT_EQ(program.lessons.practice.Typed(lessons::practice::Box::kDown), "4");
  EXPECT_EQ(page->Down()->Text(), "4");
  EXPECT_EQ(value_of(page->Down())->currentValue(), 4);

  // The fifth level's frame takes up to 9999; the sides up to its N.
  program.lessons.practice.Practise(4, {CountTask(70)});
  EXPECT_EQ(value_of(page->Frame())->maximumValue(), 9999);
  EXPECT_EQ(value_of(page->Across())->maximumValue(), 70);
  EXPECT_EQ(value_of(page->Frame())->currentValue(), 1);
}

// What the page says beside its controls: what "по абсциса" and "по ордината" mean, beside the
// boxes, and what "Виж как го намира програмата" will change, beside it before it acts.
TEST_F(Practice, ThePageSaysWhatItsNamesMeanAndWhatTheButtonWillChange) {
  Open({7, 16, 13, 3, 10});
  EXPECT_TRUE(page->Axes()->isVisible());
  EXPECT_EQ(page->Axes()->text().toStdString(), lessons::steps::kAxes);
  EXPECT_FALSE(page->FrameNote()->isVisible());
  QLabel* note = page->ShowInProgramNote();
  EXPECT_TRUE(note->isVisible());
  EXPECT_EQ(note->text(), "Това ще смени числото в главния прозорец.");
  EXPECT_EQ(page->Button(Button::kShowProgram)->accessibleDescription(), note->text());
  const QPoint button = page->Button(Button::kShowProgram)->mapTo(page, QPoint());
  EXPECT_GE(note->mapTo(page, QPoint()).x(),
            button.x() + page->Button(Button::kShowProgram)->width());
  EXPECT_EQ(window->windowTitle(), "Опитай сам");

  // A proverb goes into the mantra box.
  program.lessons.practice.Practise(
      3, {lessons::practice::ProverbTask(runtime::FromUtf8("Няма дим без огън."))});
  EXPECT_EQ(note->text(), "Това ще смени мантрата в главния прозорец.");
  EXPECT_EQ(page->Level()->currentText(), "Ниво 4: пословица");
}

// The fifth level: the rows the program lists, given one by one with their frames.
TEST_F(Practice, ALevelFiveTaskPlayedFromTheKeyboardWithAWrongRow) {
  QTest::keyClick(&program.view, Qt::Key_F4);
  window = program.view.Picture();
  ASSERT_NE(window, nullptr);
  page = window->Practice();
  program.lessons.practice.Practise(4, {CountTask(7)});
  QApplication::setActiveWindow(window);
  page->TakeFocus();
  EXPECT_EQ(page->Level()->currentText(), "Ниво 5: като програмата");
  EXPECT_TRUE(page->Task()->text().startsWith("Кои редове ще запише програмата за 7 букви?"));
  EXPECT_TRUE(page->Frame()->isVisible());
  EXPECT_EQ(page->Frame()->accessibleName(), "рамка");
  // The third box says what it counts, and that the program's column "периметър" holds it, on a
  // line of its own under the boxes.
  EXPECT_TRUE(page->FrameNote()->isVisible());
  EXPECT_EQ(Said(page->FrameNote()),
            "Рамката е броят на златните квадратчета около правоъгълника: 2a + 2b + 4; програмата "
            "го записва в колоната „периметър“.");
  EXPECT_GE(page->FrameNote()->mapTo(page, QPoint()).y(),
            page->Frame()->mapTo(page, QPoint()).y() + page->Frame()->height());
  EXPECT_EQ(page->Frame()->accessibleDescription(), page->FrameNote()->text());
  EXPECT_TRUE(page->Rows()->isVisible());
  EXPECT_FALSE(page->Chart()->isVisible());
  EXPECT_TRUE(page->Button(Button::kNoMore)->isVisible());

  const auto give = [&](int across, int down, const QString& frame) {
    ASSERT_EQ(Focused(), page->Across());
    TypeInto(page->Across(), QString::number(across));
    QTest::keyClick(Focused(), Qt::Key_Tab);
    TypeInto(page->Down(), QString::number(down));
    QTest::keyClick(Focused(), Qt::Key_Tab);
    ASSERT_EQ(Focused(), page->Frame());
    TypeInto(page->Frame(), frame);
    QTest::keyClick(Focused(), Qt::Key_Return);
  };
  give(1, 7, "20");
  EXPECT_EQ(Said(page->Verdict()), "Вярно: програмата записва 1 × 7, рамка 20.");
  page->TakeFocus();
  give(2, 4, "");  // an empty frame is not judged
  EXPECT_EQ(Said(page->Verdict()), "Рамката е цяло число от 1 до 9999.");
  EXPECT_EQ(page->Frame()->Text(), "");
  page->TakeFocus();
  give(3, 3, "16");  // the closing square before the row from the area 8
  EXPECT_EQ(Said(page->Verdict()),
            "Програмата разглежда площите от по-малките към по-големите, а във всяка от тях – "
            "делителите i (страните по абсцисата) по ред: преди 3 × 3 тя записва друг ред.");
  EXPECT_EQ(Focused(), page->Button(Button::kRetry));
  QTest::keyClick(Focused(), Qt::Key_Return);
  give(2, 4, "16");
  give(3, 3, "16");
  EXPECT_TRUE(page->Verdict()->text().startsWith("Вярно: програмата записва 3"));
  ASSERT_EQ(page->Rows()->rowCount(), 3);
  EXPECT_EQ(page->Rows()->item(1, 0)->text() + page->Rows()->item(1, 1)->text() +
                page->Rows()->item(1, 2)->text(),
            "2416");
  for (int tab = 0; tab < 4; ++tab)  // to "Няма повече редове"
    QTest::keyClick(Focused(), Qt::Key_Tab);
  ASSERT_EQ(Focused(), page->Button(Button::kNoMore));
  QTest::keyClick(Focused(), Qt::Key_Space);
  EXPECT_TRUE(page->Verdict()->text().startsWith("Вярно: това са всички редове"));
  EXPECT_EQ(page->Progress()->text(), "Задача 1 от 5, точки: 1");
  // "Виж как го намира програмата" opens the steps at the row where the pupil first went wrong.
  page->Button(Button::kShowProgram)->click();
  EXPECT_EQ(window->Pages()->currentIndex(), 1);
  EXPECT_EQ(window->Steps()->Counter()->text(), "стъпка 10 от 15");
}

}  // namespace
